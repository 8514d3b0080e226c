#pragma once

#include <QString>
#include <functional>

class CompanyData;

// Sample collection and payment slips of one to five lines each, for customers of the company
// chosen at random, written through the slip posting (movement and cash record included) a few
// hundred to a command. `progress` gets a line now and then.
void fillDemoSlips(CompanyData& company, int collections, int payments,
                   const std::function<void(const QString&)>& progress = {});
