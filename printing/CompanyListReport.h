#pragma once

class ReportRegistry;

// The list of companies (code 9001; no command of the tree prints it).
constexpr int kCompanyListReport = 9001;
void registerCompanyListReport(ReportRegistry& reports);
