#pragma once

class ReportRegistry;
class WindowRegistry;

void registerInvoiceWindows(WindowRegistry& windows);
void registerInvoiceReports(ReportRegistry& reports);
