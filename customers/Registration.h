#pragma once

class ReportRegistry;
class WindowRegistry;

// The customer subsystem's reports (2301–2304) and windows (2101, 2201, 2301–2304).
void registerCustomerReports(ReportRegistry& reports);
void registerCustomerWindows(WindowRegistry& windows);
