// The application object: process start-up and the main dialog's life.
#pragma once

#include <windows.h>

class CZephraApp {
  public:
    explicit CZephraApp(HINSTANCE instance) : instance_(instance) {}
    // Runs the connection panel until it closes; false ends the process.
    bool InitInstance();

  private:
    HINSTANCE instance_;
};
