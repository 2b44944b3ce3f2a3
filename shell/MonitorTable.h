#pragma once
#include <windows.h>

// One display of the desktop, as the saver finds it at start and after every display change.
struct MonitorEntry {
  bool primary;
  int left, top, right, bottom;
  HMONITOR monitor;
  HWND window;  // black covering window, secondary displays only
};

// Where the monitor table comes from: the system's displays, or a table a test gives.
class MonitorSource {
 public:
  // Fills at most capacity entries, the primary's with left and top 0; returns how many.
  virtual int listMonitors(MonitorEntry* table, int capacity) = 0;
  // Refresh rate of the display that shows the window, as the display reports it (0 or 1:
  // unknown); the system's answer unless a test gives another.
  virtual int refreshRate(HWND window, HDC deviceContext);

 protected:
  ~MonitorSource() = default;
};

// The displays attached to the desktop, adapter by adapter (mirroring drivers left out), with the
// rectangles of their current modes.
class SystemMonitors : public MonitorSource {
 public:
  int listMonitors(MonitorEntry* table, int capacity) override;
};

SystemMonitors& systemMonitors();
