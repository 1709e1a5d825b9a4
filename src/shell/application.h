#pragma once

// Runs the program: start-up, the main window's event loop, shut-down.
// Returns the process exit code.
int runApplication(int argc, char** argv);
