#include "config/DialogPlacement.h"

void centreDialog(HWND dialog) {
  RECT around = {};
  HWND owner = GetWindow(dialog, GW_OWNER);
  if (!owner || !GetWindowRect(owner, &around)) SystemParametersInfoA(SPI_GETWORKAREA, 0, &around, 0);
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoA(MonitorFromRect(&around, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;

  RECT box = {};
  GetWindowRect(dialog, &box);
  const LONG width = box.right - box.left;
  const LONG height = box.bottom - box.top;
  LONG x = around.left + (around.right - around.left - width) / 2;
  LONG y = around.top + (around.bottom - around.top - height) / 2;
  if (x + width > work.right) x = work.right - width;
  if (y + height > work.bottom) y = work.bottom - height;
  if (x < work.left) x = work.left;
  if (y < work.top) y = work.top;
  SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
