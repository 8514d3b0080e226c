#pragma once

class WindowRegistry;

void registerOrderWindows(WindowRegistry& windows);
