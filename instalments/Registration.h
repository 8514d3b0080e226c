#pragma once

class WindowRegistry;

void registerInstalmentWindows(WindowRegistry& windows);
