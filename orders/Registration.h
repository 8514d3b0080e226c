#pragma once

class WindowRegistry;

void registerOrderWindows(WindowRegistry& windows);

class ReportRegistry;
void registerOrderReports(ReportRegistry& reports);
