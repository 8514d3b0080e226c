// The window tests' precompiled headers are built with this library.
