#include "settings/GlobalVariables.h"

#include "platform/SettingsStore.h"
#include "platform/VbNumbers.h"


namespace {

enum class Kind { Text, Int16, Colour };

struct Key
{
    const char16_t* section;
    const char16_t* key;
    const char16_t* defaultText;
    Kind kind;
};

// Keys in the order SaveDefaultSettings writes them.
constexpr Key kDefaults[] = {
    {u"TextEditor", u"Font", u"Courier New", Kind::Text},
    {u"TextEditor", u"Size", u"10", Kind::Int16},
    {u"TextEditor", u"Integer", u"0", Kind::Colour},
    {u"TextEditor", u"Character", u"16711680", Kind::Colour},
    {u"TextEditor", u"Background", u"16777215", Kind::Colour},
    {u"TextEditor", u"Comment", u"32768", Kind::Colour},
    {u"TextEditor", u"Bold", u"0", Kind::Int16},
    {u"General", u"AutoComplete", u"1", Kind::Int16},
    {u"General", u"SplashScreen", u"1", Kind::Int16},
    {u"General", u"AutoReformat", u"1", Kind::Int16},
    {u"General", u"OpenLastFile", u"1", Kind::Int16},
    {u"Debug", u"Font", u"Courier New", Kind::Text},
    {u"Debug", u"Size", u"10", Kind::Int16},
    {u"Debug", u"BreakPointColor", u"128", Kind::Colour},
    {u"Debug", u"BreakPointTextColor", u"16777215", Kind::Colour},
    {u"Debug", u"ExecutionPointColor", u"65535", Kind::Colour},
    {u"Debug", u"ExecutionPointTextColor", u"0", Kind::Colour},
    {u"Debug", u"NormalBackColor", u"16777215", Kind::Colour},
    {u"Debug", u"NormalTextColor", u"0", Kind::Colour},
    {u"Debug", u"C0Width", u"350", Kind::Int16},
    {u"Debug", u"C1Width", u"300", Kind::Int16},
    {u"Debug", u"C2Width", u"3500", Kind::Int16},
    {u"Debug", u"RowHeight", u"285", Kind::Int16},
    {u"Debug", u"Grid", u"1", Kind::Int16},
    {u"Debug", u"LineNumbers", u"1", Kind::Int16},
    {u"SimulationWindow", u"WorkPieceColor", u"16711680", Kind::Colour},
    {u"SimulationWindow", u"BackColor", u"16777215", Kind::Colour},
    {u"SimulationWindow", u"EffectColor", u"16750230", Kind::Colour},
};

const Key& find(const char16_t* section, const char16_t* key)
{
    for (const Key& k : kDefaults)
        if (QStringView(k.section) == QStringView(section) && QStringView(k.key) == QStringView(key))
            return k;
    Q_UNREACHABLE();
}

class Reader
{
public:
    explicit Reader(platform::SettingsStore& store) : store_(store) {}

    QString text(const char16_t* section, const char16_t* key)
    {
        const Key& k = find(section, key);
        const QString v = raw(k);
        return v.isEmpty() ? QString::fromUtf16(k.defaultText) : v;
    }
    qint16 int16(const char16_t* section, const char16_t* key)
    {
        const Key& k = find(section, key);
        if (const auto n = vb::ParseStoredNumber(raw(k)))
            if (const auto v = vb::ToInt16(*n))
                return *v;
        return *vb::TextToInt16(k.defaultText);
    }
    qint32 colour(const char16_t* section, const char16_t* key)
    {
        const Key& k = find(section, key);
        if (const auto n = vb::ParseStoredNumber(raw(k)))
            if (const auto v = vb::ToInt32(*n))
                return *v;
        return *vb::ToInt32(*vb::ParseNumber(k.defaultText));
    }

private:
    QString raw(const Key& k)
    {
        return store_.GetSetting(AppName, QString::fromUtf16(k.section), QString::fromUtf16(k.key));
    }
    platform::SettingsStore& store_;
};

} // namespace

void GlobalVariables::SaveDefaultSettings(platform::SettingsStore& store)
{
    for (const Key& k : kDefaults)
        store.SaveSetting(AppName, QString::fromUtf16(k.section), QString::fromUtf16(k.key),
                          QString::fromUtf16(k.defaultText));
}

void GlobalVariables::LoadSettings(platform::SettingsStore& store)
{
    if (store.GetSetting(AppName, QStringLiteral("TextEditor"), QStringLiteral("Font")).isEmpty())
        SaveDefaultSettings(store);

    Reader r(store);
    EditorFontName = r.text(u"TextEditor", u"Font");
    EditorFontSize = r.int16(u"TextEditor", u"Size");
    EditorCharColor = r.colour(u"TextEditor", u"Character");
    EditorCommentColor = r.colour(u"TextEditor", u"Comment");
    EditorIntegerColor = r.colour(u"TextEditor", u"Integer");
    EditorBackColor = r.colour(u"TextEditor", u"Background");
    EditorBold = r.int16(u"TextEditor", u"Bold");

    BreakPointColor = r.colour(u"Debug", u"BreakPointColor");
    BreakPointTextColor = r.colour(u"Debug", u"BreakPointTextColor");
    ExecutionPointColor = r.colour(u"Debug", u"ExecutionPointColor");
    ExecutionPointTextColor = r.colour(u"Debug", u"ExecutionPointTextColor");
    NormalTextColor = r.colour(u"Debug", u"NormalTextColor");
    NormalBackColor = r.colour(u"Debug", u"NormalBackColor");
    DebugFontName = r.text(u"Debug", u"Font");
    DebugFontSize = r.int16(u"Debug", u"Size");
    DebugC0Width = r.int16(u"Debug", u"C0Width");
    DebugC1Width = r.int16(u"Debug", u"C1Width");
    DebugC2Width = r.int16(u"Debug", u"C2Width");
    DebugRowHeight = r.int16(u"Debug", u"RowHeight");
    DebugGrid = r.int16(u"Debug", u"Grid");
    DebugLineNumbers = r.int16(u"Debug", u"LineNumbers");

    WorkPieceColor = r.colour(u"SimulationWindow", u"WorkPieceColor");
    SimBackColor = r.colour(u"SimulationWindow", u"BackColor");
    EffectColor = r.colour(u"SimulationWindow", u"EffectColor");

    AutoComplete = r.int16(u"General", u"AutoComplete");
    AutoReformat = r.int16(u"General", u"AutoReformat");
    OpenLastFile = r.int16(u"General", u"OpenLastFile");
    SplashScreen = r.int16(u"General", u"SplashScreen");
}
