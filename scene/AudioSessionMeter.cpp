#include "scene/AudioSessionMeter.h"

#include <windows.h>
#include <audiopolicy.h>
#include <mmdeviceapi.h>

namespace {

// mingw-w64's endpointvolume.h names this interface without declaring it; its layout is Windows'.
const IID MeterInformationId = {0xc02216f6, 0x8c67, 0x4b5b, {0x9d, 0x00, 0xd0, 0x08, 0xe7, 0x3e, 0x00, 0x64}};

struct MeterInformation : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetPeakValue(float* peak) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetMeteringChannelCount(UINT* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetChannelsPeakValues(UINT32 count, float* peaks) = 0;
  virtual HRESULT STDMETHODCALLTYPE QueryHardwareSupport(DWORD* mask) = 0;
};

// Releases a COM interface when it goes out of scope.
template <typename Interface>
class Held {
 public:
  Held() = default;
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;
  ~Held() {
    if (pointer_) pointer_->Release();
  }
  Interface* get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  Interface** out() { return &pointer_; }
  void** outVoid() { return reinterpret_cast<void**>(&pointer_); }

 private:
  Interface* pointer_ = nullptr;
};

bool levelOf(IAudioSessionControl* control, SessionLevel& level) {
  Held<IAudioSessionControl2> identity;
  if (FAILED(control->QueryInterface(__uuidof(IAudioSessionControl2), identity.outVoid()))) return false;
  DWORD process = 0;
  // Several processes share the session when this says AUDCLNT_S_NO_SINGLE_PROCESS; it is not ours.
  if (identity->GetProcessId(&process) != S_OK) process = 0;
  level.process = process;
  level.systemSounds = identity->IsSystemSoundsSession() == S_OK;
  AudioSessionState state = AudioSessionStateInactive;
  level.active = SUCCEEDED(control->GetState(&state)) && state == AudioSessionStateActive;
  Held<MeterInformation> meter;
  level.peak = 0.0f;
  if (FAILED(control->QueryInterface(MeterInformationId, meter.outVoid()))) return false;
  return SUCCEEDED(meter->GetPeakValue(&level.peak));
}

}  // namespace

bool AudioSessionMeter::othersPlaying() {
  Held<IMMDeviceEnumerator> devices;
  if (FAILED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL, __uuidof(IMMDeviceEnumerator),
                              devices.outVoid()))) {
    return false;
  }
  Held<IMMDevice> device;
  if (FAILED(devices->GetDefaultAudioEndpoint(eRender, eConsole, device.out()))) return false;
  Held<IAudioSessionManager2> manager;
  if (FAILED(device->Activate(__uuidof(IAudioSessionManager2), CLSCTX_ALL, nullptr, manager.outVoid()))) return false;
  Held<IAudioSessionEnumerator> sessions;
  if (FAILED(manager->GetSessionEnumerator(sessions.out()))) return false;
  int count = 0;
  if (FAILED(sessions->GetCount(&count))) return false;
  SessionLevel levels[MaxSessions];
  int measured = 0;
  for (int i = 0; i < count && measured < MaxSessions; ++i) {
    Held<IAudioSessionControl> control;
    if (FAILED(sessions->GetSession(i, control.out()))) continue;
    if (levelOf(control.get(), levels[measured])) ++measured;
  }
  return othersAudible(levels, measured, GetCurrentProcessId());
}

OtherSoundMeter& audioSessionMeter() {
  static AudioSessionMeter meter;
  return meter;
}
