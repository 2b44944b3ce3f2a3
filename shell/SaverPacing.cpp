// How fast the frame pump may draw, and when it must not draw at all.
#include <windows.h>
#include <mmsystem.h>

#include "shell/GLSaver.h"

int64_t GLSaver::pacingNow() {
  static const int64_t frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<int64_t>(f.QuadPart);
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<int64_t>(now.QuadPart) / frequency * 1000000 +
         static_cast<int64_t>(now.QuadPart) % frequency * 1000000 / frequency;
}

void GLSaver::startPacing() {
  useFineTimer(!asleep());
  conditions_ = conditionSource_->current();
  setFrameRateCap();
  displayNotices_.start(mainWindow_);
  pacingStarted_ = true;
}

// At the refresh rate of the monitor the main window is on: the primary's, where there are several;
// lower on battery, while saving power and in a remote session.
void GLSaver::setFrameRateCap() {
  const int cap = frameRateLimit(storedMaxFrameRate_, monitorSource_->refreshRate(mainWindow_, deviceContext_),
                                 swapSynced_, mode_ == Preview);
  frameRateCap_ = frameRateUnder(conditions_, cap);
  pacer_.setRate(frameRateCap_);
}

void GLSaver::conditionsChanged() {
  if (pacingStarted_) setFrameRateCap();
}

void GLSaver::stopPacing() {
  pacingStarted_ = false;
  displayNotices_.stop();
  useFineTimer(false);
}

// Waits of a few milliseconds need the system timer at its finest; the default tick of 15.6 ms
// would halve a 60 Hz rate. A finer tick costs power, so it is given back while nothing is drawn.
void GLSaver::useFineTimer(bool fine) {
  if (fine == fineTimer_) return;
  if (fine) {
    fineTimer_ = timeBeginPeriod(1) == TIMERR_NOERROR;
  } else {
    timeEndPeriod(1);
    fineTimer_ = false;
  }
}

void GLSaver::setSleepReason(SleepReason reason, Visibility visibility) {
  if (visibility == Visibility::Unchanged) return;
  const bool wasAsleep = asleep();
  if (visibility == Visibility::Hidden) {
    sleepReasons_ |= reason;
  } else {
    sleepReasons_ &= ~static_cast<unsigned>(reason);
  }
  if (asleep() == wasAsleep) return;
  if (pacingStarted_) useFineTimer(!asleep());
  sleepChanged(asleep());
}
