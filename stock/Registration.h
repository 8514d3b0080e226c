#pragma once

class ReportRegistry;
class WindowRegistry;

// The stock subsystem's reports (3301, 3302, 3306, 3307) and windows (3101, 3201, 3301–3307).
void registerStockReports(ReportRegistry& reports);
void registerStockWindows(WindowRegistry& windows);
