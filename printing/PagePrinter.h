#pragma once

#include "printing/PageSet.h"

class InstallSettings;
class QPrinter;
class QWidget;

// Page printers, through the system's dialogs. One printer set-up is shared by every report
// window; its paper starts as KAGIT says (0 A4, 1 Letter).
QPrinter& sharedPrinter(const InstallSettings& install);
// Prints the pages; with `ask`, the system's print dialog comes first. False when cancelled.
bool printPages(const PageSet& pages, const InstallSettings& install, QWidget* parent,
                bool ask = true);
void printerSetup(const InstallSettings& install, QWidget* parent);
