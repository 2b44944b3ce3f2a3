#include "config/SettingFields.h"

namespace {

constexpr SettingField number(const char* name, int32_t SaverSettings::*field) { return {name, field, nullptr}; }
constexpr SettingField flag(const char* name, bool SaverSettings::*field) { return {name, nullptr, field}; }

}  // namespace

const SettingField SaverSettingFields[SettingFieldCount] = {
    number("BoidModel", &SaverSettings::BoidModel),
    number("BoidCount", &SaverSettings::BoidCount),
    flag("FishRed", &SaverSettings::FishRed),
    flag("FishBlue", &SaverSettings::FishBlue),
    flag("FishStripe", &SaverSettings::FishStripe),
    flag("FishYellBlu", &SaverSettings::FishYellBlu),
    flag("FishDot", &SaverSettings::FishDot),
    flag("FishBigGrey", &SaverSettings::FishBigGrey),
    flag("FishBigRed", &SaverSettings::FishBigRed),
    flag("FishManta", &SaverSettings::FishManta),
    flag("BirdGull", &SaverSettings::BirdGull),
    number("FishCount", &SaverSettings::FishCount),
    number("CameraPos", &SaverSettings::CameraPos),
    number("CameraSpeed", &SaverSettings::CameraSpeed),
    number("CameraFixTop", &SaverSettings::CameraFixTop),
    number("CameraFixBottom", &SaverSettings::CameraFixBottom),
    number("SkyType", &SaverSettings::SkyType),
    flag("SoundOn", &SaverSettings::SoundOn),
};
