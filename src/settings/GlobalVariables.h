#pragma once
// The settings block: every font, colour, width and option the program reads, loaded from
// the per-user store. Colours are Windows RGB values (red in the low byte).

#include <QString>
#include <QtGlobal>

#include <array>

namespace platform { class SettingsStore; }

namespace settings {
inline const QString AppName = QStringLiteral("CNC");
} // namespace settings

class GlobalVariables
{
public:
    // "TextEditor"
    QString EditorFontName;
    qint16 EditorFontSize = 0;
    qint32 EditorCharColor = 0;
    qint32 EditorIntegerColor = 0;
    qint32 EditorCommentColor = 0;
    qint32 EditorBackColor = 0;
    qint16 EditorBold = 0;
    // "General"
    qint16 AutoComplete = 0;
    qint16 AutoReformat = 0;
    qint16 OpenLastFile = 0;
    qint16 SplashScreen = 0;
    // "Debug"
    QString DebugFontName;
    qint16 DebugFontSize = 0;
    qint32 BreakPointColor = 0;
    qint32 BreakPointTextColor = 0;
    qint32 ExecutionPointColor = 0;
    qint32 ExecutionPointTextColor = 0;
    qint32 NormalTextColor = 0;
    qint32 NormalBackColor = 0;
    qint16 DebugC0Width = 0;
    qint16 DebugC1Width = 0;
    qint16 DebugC2Width = 0;
    qint16 DebugRowHeight = 0;
    qint16 DebugGrid = 0;
    qint16 DebugLineNumbers = 0;
    // "SimulationWindow"
    qint32 WorkPieceColor = 0;
    qint32 SimBackColor = 0;
    qint32 EffectColor = 0;

    // Writes the 28 keys with their defaults, in settings::keys::FirstStartOrder.
    static void SaveDefaultSettings(platform::SettingsStore& store);
    // Fills the block from the store; on the first run (no "TextEditor" "Font") writes the
    // defaults first. Absent, empty or unreadable values take their defaults.
    void LoadSettings(platform::SettingsStore& store);
};

// Each setting of the block declared once: where it is stored, its default as stored, and the
// member it loads into (whose type decides how the stored text is read).
namespace settings::keys {

struct Setting
{
    constexpr Setting(const char16_t* s, const char16_t* k, const char16_t* d, QString GlobalVariables::*m)
        : section(s), key(k), defaultText(d), text(m) {}
    constexpr Setting(const char16_t* s, const char16_t* k, const char16_t* d, qint16 GlobalVariables::*m)
        : section(s), key(k), defaultText(d), int16(m) {}
    constexpr Setting(const char16_t* s, const char16_t* k, const char16_t* d, qint32 GlobalVariables::*m)
        : section(s), key(k), defaultText(d), colour(m) {}

    QString Section() const { return QString::fromUtf16(section); }
    QString Key() const { return QString::fromUtf16(key); }
    QString DefaultText() const { return QString::fromUtf16(defaultText); }
    // The default as its member holds it (only for a setting of that type).
    qint16 DefaultInt16() const;
    qint32 DefaultColour() const;

    const char16_t* section;
    const char16_t* key;
    const char16_t* defaultText;
    QString GlobalVariables::*text = nullptr;
    qint16 GlobalVariables::*int16 = nullptr;
    qint32 GlobalVariables::*colour = nullptr;
};

using G = GlobalVariables;
inline constexpr Setting EditorFontName{u"TextEditor", u"Font", u"Courier New", &G::EditorFontName};
inline constexpr Setting EditorFontSize{u"TextEditor", u"Size", u"10", &G::EditorFontSize};
inline constexpr Setting EditorCharColor{u"TextEditor", u"Character", u"16711680", &G::EditorCharColor};
inline constexpr Setting EditorIntegerColor{u"TextEditor", u"Integer", u"0", &G::EditorIntegerColor};
inline constexpr Setting EditorCommentColor{u"TextEditor", u"Comment", u"32768", &G::EditorCommentColor};
inline constexpr Setting EditorBackColor{u"TextEditor", u"Background", u"16777215", &G::EditorBackColor};
inline constexpr Setting EditorBold{u"TextEditor", u"Bold", u"0", &G::EditorBold};
inline constexpr Setting AutoComplete{u"General", u"AutoComplete", u"1", &G::AutoComplete};
inline constexpr Setting AutoReformat{u"General", u"AutoReformat", u"1", &G::AutoReformat};
inline constexpr Setting OpenLastFile{u"General", u"OpenLastFile", u"1", &G::OpenLastFile};
inline constexpr Setting SplashScreen{u"General", u"SplashScreen", u"1", &G::SplashScreen};
inline constexpr Setting DebugFontName{u"Debug", u"Font", u"Courier New", &G::DebugFontName};
inline constexpr Setting DebugFontSize{u"Debug", u"Size", u"10", &G::DebugFontSize};
inline constexpr Setting BreakPointColor{u"Debug", u"BreakPointColor", u"128", &G::BreakPointColor};
inline constexpr Setting BreakPointTextColor{u"Debug", u"BreakPointTextColor", u"16777215", &G::BreakPointTextColor};
inline constexpr Setting ExecutionPointColor{u"Debug", u"ExecutionPointColor", u"65535", &G::ExecutionPointColor};
inline constexpr Setting ExecutionPointTextColor{u"Debug", u"ExecutionPointTextColor", u"0",
                                                 &G::ExecutionPointTextColor};
inline constexpr Setting NormalTextColor{u"Debug", u"NormalTextColor", u"0", &G::NormalTextColor};
inline constexpr Setting NormalBackColor{u"Debug", u"NormalBackColor", u"16777215", &G::NormalBackColor};
inline constexpr Setting DebugC0Width{u"Debug", u"C0Width", u"350", &G::DebugC0Width};
inline constexpr Setting DebugC1Width{u"Debug", u"C1Width", u"300", &G::DebugC1Width};
inline constexpr Setting DebugC2Width{u"Debug", u"C2Width", u"3500", &G::DebugC2Width};
inline constexpr Setting DebugRowHeight{u"Debug", u"RowHeight", u"285", &G::DebugRowHeight};
inline constexpr Setting DebugGrid{u"Debug", u"Grid", u"1", &G::DebugGrid};
inline constexpr Setting DebugLineNumbers{u"Debug", u"LineNumbers", u"1", &G::DebugLineNumbers};
inline constexpr Setting WorkPieceColor{u"SimulationWindow", u"WorkPieceColor", u"16711680", &G::WorkPieceColor};
inline constexpr Setting SimBackColor{u"SimulationWindow", u"BackColor", u"16777215", &G::SimBackColor};
inline constexpr Setting EffectColor{u"SimulationWindow", u"EffectColor", u"16750230", &G::EffectColor};

// The order the first start writes the defaults in; loading reads the same list.
inline constexpr std::array<const Setting*, 28> FirstStartOrder{
    &EditorFontName, &EditorFontSize, &EditorIntegerColor, &EditorCharColor, &EditorBackColor, &EditorCommentColor,
    &EditorBold,
    &AutoComplete, &SplashScreen, &AutoReformat, &OpenLastFile,
    &DebugFontName, &DebugFontSize, &BreakPointColor, &BreakPointTextColor, &ExecutionPointColor,
    &ExecutionPointTextColor, &NormalBackColor, &NormalTextColor, &DebugC0Width, &DebugC1Width, &DebugC2Width,
    &DebugRowHeight, &DebugGrid, &DebugLineNumbers,
    &WorkPieceColor, &SimBackColor, &EffectColor,
};

// The order the Options dialog's OK writes them in: the first start's, but the row height
// after the grid's two flags.
inline constexpr std::array<const Setting*, 28> OptionsOkOrder{
    &EditorFontName, &EditorFontSize, &EditorIntegerColor, &EditorCharColor, &EditorBackColor, &EditorCommentColor,
    &EditorBold,
    &AutoComplete, &SplashScreen, &AutoReformat, &OpenLastFile,
    &DebugFontName, &DebugFontSize, &BreakPointColor, &BreakPointTextColor, &ExecutionPointColor,
    &ExecutionPointTextColor, &NormalBackColor, &NormalTextColor, &DebugC0Width, &DebugC1Width, &DebugC2Width,
    &DebugGrid, &DebugLineNumbers, &DebugRowHeight,
    &WorkPieceColor, &SimBackColor, &EffectColor,
};

} // namespace settings::keys
