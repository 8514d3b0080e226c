#pragma once

class PageSet;
class QIODevice;

// A page set as PDF, written directly: texts as glyphs of embedded TrueType fonts (only the
// glyphs used), lines, boxes, ellipses and pictures, each page's content compressed. Several
// times faster than drawing through Qt's PDF engine, which matters for reports of thousands of
// pages. Returns false, having written part of the file, when the pages need what only Qt's
// engine does: a font without TrueType outlines or a character missing from its font (another
// font would have to stand in). The caller then writes the file again through Qt.
bool writeDirectPdf(const PageSet& pages, QIODevice& out);
