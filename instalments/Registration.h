#pragma once

class WindowRegistry;

void registerInstalmentWindows(WindowRegistry& windows);

class ReportRegistry;
void registerInstalmentReports(ReportRegistry& reports);
