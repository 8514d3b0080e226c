#pragma once

class ReportRegistry;
class WindowRegistry;

// The cash subsystem's reports (5201, 5202 printed slips, 5301 cash book) and windows (5201,
// 5202, 5203, 5301).
void registerCashReports(ReportRegistry& reports);
void registerCashWindows(WindowRegistry& windows);
