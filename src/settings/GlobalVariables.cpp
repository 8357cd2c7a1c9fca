#include "settings/GlobalVariables.h"

#include "platform/SettingsStore.h"
#include "platform/VbNumbers.h"

namespace settings::keys {

qint16 Setting::DefaultInt16() const
{
    return *platform::vb::TextToInt16(defaultText);
}

qint32 Setting::DefaultColour() const
{
    return *platform::vb::ToInt32(*platform::vb::ParseNumber(defaultText));
}

} // namespace settings::keys

namespace {

// Absent, empty or unreadable values take the default; nothing is written back.
void load(GlobalVariables& g, const settings::keys::Setting& s, const QString& stored)
{
    if (s.text) {
        g.*s.text = stored.isEmpty() ? s.DefaultText() : stored;
        return;
    }
    const auto n = platform::vb::ParseStoredNumber(stored);
    if (s.int16) {
        const auto v = n ? platform::vb::ToInt16(*n) : std::nullopt;
        g.*s.int16 = v ? *v : s.DefaultInt16();
    } else {
        const auto v = n ? platform::vb::ToInt32(*n) : std::nullopt;
        g.*s.colour = v ? *v : s.DefaultColour();
    }
}

} // namespace

void GlobalVariables::SaveDefaultSettings(platform::SettingsStore& store)
{
    for (const settings::keys::Setting* s : settings::keys::FirstStartOrder)
        store.SaveSetting(settings::AppName, s->Section(), s->Key(), s->DefaultText());
}

void GlobalVariables::LoadSettings(platform::SettingsStore& store)
{
    if (store.GetSetting(settings::AppName, settings::keys::EditorFontName.Section(), settings::keys::EditorFontName.Key()).isEmpty())
        SaveDefaultSettings(store);

    for (const settings::keys::Setting* s : settings::keys::FirstStartOrder)
        load(*this, *s, store.GetSetting(settings::AppName, s->Section(), s->Key()));
}
