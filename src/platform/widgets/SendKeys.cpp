#include "platform/widgets/SendKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace platform {

namespace {

struct NamedKey
{
    const char* name;
    Qt::Key key;
    const char* text;
};

constexpr NamedKey NamedKeys[] = {
    {"RIGHT", Qt::Key_Right, ""}, {"LEFT", Qt::Key_Left, ""},  {"UP", Qt::Key_Up, ""},
    {"DOWN", Qt::Key_Down, ""},   {"HOME", Qt::Key_Home, ""},  {"END", Qt::Key_End, ""},
    {"ENTER", Qt::Key_Return, "\r"}, {"TAB", Qt::Key_Tab, "\t"}, {"BS", Qt::Key_Backspace, "\b"},
    {"DEL", Qt::Key_Delete, ""},  {"ESC", Qt::Key_Escape, "\x1b"},
};

void post(QWidget* target, int key, Qt::KeyboardModifiers mods, const QString& text)
{
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, mods, text));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, mods, text));
}

} // namespace

void SendKeys(const QString& keys, QWidget* target)
{
    if (!target)
        target = QApplication::focusWidget();
    if (!target)
        return;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (keys[i] == u'{') {
            const qsizetype close = keys.indexOf(u'}', i + 1);
            if (close > i + 1) {
                const QString name = keys.mid(i + 1, close - i - 1).toUpper();
                for (const NamedKey& k : NamedKeys) {
                    if (name == QLatin1String(k.name)) {
                        post(target, k.key, Qt::NoModifier, QString::fromLatin1(k.text));
                        break;
                    }
                }
                i = close;
                continue;
            }
        }
        const QChar ch = keys[i];
        const char16_t u = ch.unicode();
        int key = 0;
        if (u >= u'a' && u <= u'z')
            key = Qt::Key_A + (u - u'a');
        else if (u >= 0x20 && u < 0x7F)
            key = u; // the toolkit's codes of printable ASCII are the characters themselves
        post(target, key, ch.isUpper() ? Qt::ShiftModifier : Qt::NoModifier, QString(ch));
    }
}

} // namespace platform
