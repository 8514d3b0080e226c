#pragma once

class ReportRegistry;
class WindowRegistry;

// The portfolio's reports (4301–4304 paper lists) and windows (4101–4104 papers, 4201–4204
// vouchers, 4301–4304 the lists' choices).
void registerPortfolioReports(ReportRegistry& reports);
void registerPortfolioWindows(WindowRegistry& windows);
