#include "platform/widgets/RichTextBox.h"

#include "platform/gui/WinColour.h"
#include "program/ProgramFile.h"

#include <QMimeData>
#include <QScrollBar>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

constexpr QChar BlockBreak = QChar::ParagraphSeparator;

// Every line end as one "\n", which the document turns into a block break.
QString toDocumentBreaks(QString text)
{
    return program::LineEndsAsLf(std::move(text));
}

QString toCrLf(QString text)
{
    text.replace(BlockBreak, QLatin1String("\r\n"));
    return text;
}

} // namespace

template <typename F> void RichTextBox::asOneChange(bool forceChange, F&& change)
{
    ++batchDepth_;
    batchChanged_ = batchChanged_ || forceChange;
    change();
    if (--batchDepth_ == 0 && batchChanged_) {
        batchChanged_ = false;
        emit Change();
    }
}

RichTextBox::RichTextBox(QWidget* parent) : QTextEdit(parent)
{
    setAcceptRichText(false);
    connect(document(), &QTextDocument::contentsChange, this, &RichTextBox::onContentsChange);
}

namespace {

// The layout of a box that is never shown: it places nothing, so that setting a long text
// costs neither the shaping of every line nor the memory of its glyphs.
class NoLayout : public QAbstractTextDocumentLayout
{
public:
    using QAbstractTextDocumentLayout::QAbstractTextDocumentLayout;
    void draw(QPainter*, const PaintContext&) override {}
    int hitTest(const QPointF&, Qt::HitTestAccuracy) const override { return -1; }
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override { return {}; }
    QRectF frameBoundingRect(QTextFrame*) const override { return {}; }
    QRectF blockBoundingRect(const QTextBlock&) const override { return {}; }

protected:
    void documentChanged(int, int, int) override {}
};

} // namespace

void RichTextBox::SetNeverShown()
{
    hide();
    document()->setDocumentLayout(new NoLayout(document()));
}

// ---- positions ----

int RichTextBox::plainFromDoc(int doc) const
{
    const QTextBlock block = document()->findBlock(doc);
    return doc + (block.isValid() ? block.blockNumber() : document()->blockCount() - 1);
}

int RichTextBox::docFromPlain(int plain, bool roundUp) const
{
    const QTextDocument* doc = document();
    if (plain <= 0)
        return 0;
    // The last block whose first character lies at or before `plain`; a block's plain start
    // is its document position plus one for every break before it.
    int lo = 0;
    int hi = doc->blockCount() - 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (doc->findBlockByNumber(mid).position() + mid <= plain)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock block = doc->findBlockByNumber(lo);
    const int offset = plain - (block.position() + lo);
    const int textLength = block.length() - 1;
    if (offset <= textLength)
        return block.position() + offset;
    if (block.next().isValid()) // between CR and LF
        return block.position() + textLength + (roundUp ? 1 : 0);
    return block.position() + textLength; // beyond the end
}

// Read block by block: a cursor moved to `to` would have the editor lay out every line up to
// there first, which for a long program is most of the cost of opening it.
QString RichTextBox::documentText(int from, int to) const
{
    QString text;
    if (to <= from)
        return text;
    text.reserve(to - from);
    for (QTextBlock b = document()->findBlock(from); b.isValid() && b.position() < to; b = b.next()) {
        const int start = b.position();
        const QString line = b.text();
        const int breakAt = start + int(line.size());
        const int a = qMax(from, start);
        const int e = qMin(to, breakAt);
        if (e > a)
            text += QStringView(line).mid(a - start, e - a);
        if (breakAt >= from && breakAt < to && b.next().isValid())
            text += BlockBreak;
    }
    return text;
}

void RichTextBox::onContentsChange(int position, int removed, int added)
{
    const int docLength = document()->characterCount() - 1;
    position = qBound(0, position, int(raw_.size()));
    removed = qBound(0, removed, int(raw_.size()) - position);
    added = qBound(0, added, docLength - position);
    const QString now = documentText(position, position + added);
    bool changed;
    if (raw_.size() - removed + added == docLength) {
        changed = removed != added || QStringView(raw_).mid(position, removed) != now;
        if (changed)
            raw_.replace(position, removed, now);
    } else {
        // The reported range did not account for the whole edit: compare all of it.
        const QString all = documentText(0, docLength);
        changed = all != raw_;
        raw_ = all;
    }
    if (!changed)
        return;
    if (batchDepth_ > 0)
        batchChanged_ = true;
    else
        emit Change();
}

// ---- text ----

QString RichTextBox::Text() const
{
    return toCrLf(documentText(0, document()->characterCount() - 1));
}

int RichTextBox::TextLength() const
{
    return document()->characterCount() - 1 + document()->blockCount() - 1;
}

void RichTextBox::SetText(const QString& text)
{
    asOneChange(true, [&] {
        QTextCursor c(document());
        c.select(QTextCursor::Document);
        c.insertText(toDocumentBreaks(text));
    });
    document()->clearUndoRedoStacks();
    QTextCursor c = textCursor();
    c.setPosition(0);
    setTextCursor(c);
}

namespace {

// Inserts the text at the cursor, formatted run by run; runs past the text's end are cut.
void insertRuns(QTextCursor& c, const QString& text, const std::vector<QTextCharFormat>& formats,
                const std::vector<FormattedRun>& runs)
{
    int from = 0;
    for (const FormattedRun& run : runs) {
        const int length = qBound(0, run.length, int(text.size()) - from);
        if (length > 0)
            c.insertText(toDocumentBreaks(text.mid(from, length)), formats[size_t(run.format)]);
        from += length;
    }
}

// Replaces the whole of `doc` with the text formatted run by run.
void buildFormatted(QTextDocument* doc, const QString& text, const std::vector<QTextCharFormat>& formats,
                    const std::vector<FormattedRun>& runs)
{
    QTextCursor c(doc);
    c.beginEditBlock();
    // Emptied with clear(), the document reports the whole text as new, and the editor then
    // lays out only what it shows and the rest in steps between events, as for setPlainText.
    doc->clear();
    insertRuns(c, text, formats, runs);
    c.endEditBlock();
}

// The document's text (a block break between lines) against a text with CR LF breaks.
bool sameText(const QString& raw, const QString& text)
{
    qsizetype i = 0, j = 0;
    while (i < raw.size() && j < text.size()) {
        if (raw[i] == BlockBreak) {
            if (j + 1 >= text.size() || text[j] != u'\r' || text[j + 1] != u'\n')
                return false;
            ++i;
            j += 2;
        } else if (raw[i] == text[j] && text[j] != u'\r' && text[j] != u'\n') {
            ++i;
            ++j;
        } else {
            return false;
        }
    }
    return i == raw.size() && j == text.size();
}

// Whether `doc`, holding `text` already, holds it formatted as buildFormatted would: every
// character in its run's format, every line after the first opened by its break's format
// and in the first line's block format (the first line keeps its own formats either way).
bool alreadyFormatted(const QTextDocument& doc, const std::vector<QTextCharFormat>& formats,
                      const std::vector<FormattedRun>& runs)
{
    size_t run = 0;
    int runEnd = runs.empty() ? 0 : runs[0].length; // in positions of the CR LF text
    // The run holding plain position p; runs only ever move forward.
    const auto formatAt = [&](int p) -> const QTextCharFormat* {
        while (run < runs.size() && p >= runEnd) {
            ++run;
            if (run < runs.size())
                runEnd += runs[run].length;
        }
        return run < runs.size() ? &formats[size_t(runs[run].format)] : nullptr;
    };
    const QTextBlockFormat firstLine = doc.begin().blockFormat();
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const int plainStart = b.position() + b.blockNumber();
        if (b.blockNumber() > 0) {
            const QTextCharFormat* f = formatAt(plainStart - 2); // the CR before the line
            if (!f || b.charFormat() != *f || b.blockFormat() != firstLine)
                return false;
        }
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            const int from = frag.position() + b.blockNumber();
            const QTextCharFormat format = frag.charFormat();
            for (int p = from; p < from + frag.length();) {
                const QTextCharFormat* f = formatAt(p);
                if (!f || *f != format)
                    return false;
                p = runEnd;
            }
        }
    }
    return true;
}

} // namespace

void RichTextBox::SetFormattedText(const QString& text, const std::vector<QTextCharFormat>& formats,
                                   const std::vector<FormattedRun>& runs)
{
    const int caret = SelStart();
    const int hScroll = horizontalScrollBar()->value();
    const int vScroll = verticalScrollBar()->value();
    // When the box holds exactly that already (a program coloured again unchanged), laying
    // out every line anew is spared.
    const bool same = sameText(raw_, text) && alreadyFormatted(*document(), formats, runs);
    asOneChange(true, [&] {
        if (same)
            return;
        // The history is cleared below anyway; recording every insertion would only cost.
        const bool undo = document()->isUndoRedoEnabled();
        document()->setUndoRedoEnabled(false);
        // The caret would be carried to the end of the new text, and moving it back from
        // there would lay out every line first.
        setTextCursor(QTextCursor());
        buildFormatted(document(), text, formats, runs);
        setTextCursor(QTextCursor(document())); // before Change, whose handlers may read it
        document()->setUndoRedoEnabled(undo);
    });
    document()->clearUndoRedoStacks();
    SetSelStart(caret);
    horizontalScrollBar()->setValue(hScroll);
    verticalScrollBar()->setValue(vScroll);
    if (horizontalScrollBar()->value() != hScroll || verticalScrollBar()->value() != vScroll) {
        // The view lay beyond the estimated size of the lines not laid out yet: lay them out
        // now, and tell the box, which takes its scroll ranges from this signal.
        QAbstractTextDocumentLayout* layout = document()->documentLayout();
        emit layout->documentSizeChanged(layout->documentSize());
        horizontalScrollBar()->setValue(hScroll);
        verticalScrollBar()->setValue(vScroll);
    }
}

void RichTextBox::ReplaceLine(int line, const QString& text, const std::vector<QTextCharFormat>& formats,
                              const std::vector<FormattedRun>& runs)
{
    const QTextBlock block = document()->findBlockByNumber(line);
    if (line < 0 || !block.isValid())
        return;
    asOneChange(true, [&] {
        QTextCursor c(document());
        c.beginEditBlock();
        c.setPosition(block.position());
        c.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
        c.removeSelectedText();
        insertRuns(c, text, formats, runs);
        c.endEditBlock();
        setTextCursor(QTextCursor(document())); // before Change, whose handlers may read it
    });
    document()->clearUndoRedoStacks();
}

int RichTextBox::LineCount() const
{
    return document()->blockCount();
}

QString RichTextBox::LineText(int line) const
{
    return document()->findBlockByNumber(line).text();
}

RichText RichTextBox::TextRTF() const
{
    QTextCursor c(document());
    c.select(QTextCursor::Document);
    return {QTextDocumentFragment(c)};
}

void RichTextBox::SetTextRTF(const RichText& content)
{
    const int caret = SelStart();
    const int hScroll = horizontalScrollBar()->value();
    const int vScroll = verticalScrollBar()->value();
    asOneChange(true, [&] {
        QTextCursor c(document());
        c.select(QTextCursor::Document);
        if (content.fragment.isEmpty())
            c.removeSelectedText();
        else
            c.insertFragment(content.fragment);
    });
    document()->clearUndoRedoStacks();
    SetSelStart(caret);
    horizontalScrollBar()->setValue(hScroll);
    verticalScrollBar()->setValue(vScroll);
}

// ---- selection ----

int RichTextBox::SelStart() const
{
    return plainFromDoc(textCursor().selectionStart());
}

int RichTextBox::SelLength() const
{
    const QTextCursor c = textCursor();
    return plainFromDoc(c.selectionEnd()) - plainFromDoc(c.selectionStart());
}

void RichTextBox::SetSelStart(int start)
{
    Select(start, 0);
}

void RichTextBox::SetSelLength(int length)
{
    Select(SelStart(), length);
}

void RichTextBox::Select(int start, int length)
{
    start = qBound(0, start, TextLength());
    length = qMax(0, length);
    QTextCursor c = textCursor();
    const int from = docFromPlain(start, false);
    c.setPosition(from);
    if (length > 0)
        c.setPosition(qMax(from, docFromPlain(start + length, true)), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

QString RichTextBox::SelText() const
{
    const QTextCursor c = textCursor();
    return toCrLf(documentText(c.selectionStart(), c.selectionEnd()));
}

void RichTextBox::SetSelText(const QString& text)
{
    asOneChange(false, [&] {
        QTextCursor c = textCursor();
        c.insertText(toDocumentBreaks(text));
        setTextCursor(c);
    });
}

// ---- format ----

QTextCharFormat RichTextBox::selectionFormat() const
{
    const QTextCursor sel = textCursor();
    if (!sel.hasSelection())
        return currentCharFormat();
    QTextCursor c(document());
    c.setPosition(sel.selectionStart() + 1);
    return c.charFormat();
}

void RichTextBox::applyFormat(const QTextCharFormat& format)
{
    QTextCursor c = textCursor();
    if (c.hasSelection())
        c.mergeCharFormat(format);
    else
        mergeCurrentCharFormat(format);
}

qint32 RichTextBox::SelColor() const
{
    const QTextCharFormat f = selectionFormat();
    if (f.hasProperty(QTextFormat::ForegroundBrush))
        return platform::ToWinRgb(f.foreground().color());
    return platform::ToWinRgb(palette().color(QPalette::Text));
}

void RichTextBox::SetSelColor(qint32 rgb)
{
    QTextCharFormat f;
    f.setForeground(platform::FromWinRgb(rgb));
    applyFormat(f);
}

bool RichTextBox::SelBold() const
{
    const QTextCharFormat f = selectionFormat();
    if (f.hasProperty(QTextFormat::FontWeight))
        return f.fontWeight() >= QFont::Bold;
    return document()->defaultFont().bold();
}

void RichTextBox::SetSelBold(bool bold)
{
    QTextCharFormat f;
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    applyFormat(f);
}

QString RichTextBox::SelFontName() const
{
    const QTextCharFormat f = selectionFormat();
    if (f.hasProperty(QTextFormat::FontFamilies)) {
        const QStringList families = f.fontFamilies().toStringList();
        if (!families.isEmpty())
            return families.first();
    }
    return document()->defaultFont().family();
}

void RichTextBox::SetSelFontName(const QString& name)
{
    QTextCharFormat f;
    f.setFontFamilies(QStringList{name});
    applyFormat(f);
}

double RichTextBox::SelFontSize() const
{
    const QTextCharFormat f = selectionFormat();
    if (f.hasProperty(QTextFormat::FontPointSize))
        return f.fontPointSize();
    return document()->defaultFont().pointSizeF();
}

void RichTextBox::SetSelFontSize(double points)
{
    if (points <= 0)
        return;
    QTextCharFormat f;
    f.setFontPointSize(points);
    applyFormat(f);
}

qint32 RichTextBox::BackColor() const
{
    return platform::ToWinRgb(palette().color(QPalette::Base));
}

void RichTextBox::SetBackColor(qint32 rgb)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, platform::FromWinRgb(rgb));
    setPalette(p);
}

void RichTextBox::SetLocked(bool locked)
{
    locked_ = locked;
    setReadOnly(locked);
    setTextInteractionFlags(locked ? Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                   : Qt::TextEditorInteraction);
}

int RichTextBox::Find(const QString& text, int start, int end, bool matchCase)
{
    if (text.isEmpty())
        return -1;
    const QString all = Text();
    const int limit = end < 0 ? int(all.size()) : qMin(end, int(all.size()));
    const int at = int(all.indexOf(text, qMax(0, start), matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive));
    if (at < 0 || at + text.size() > limit)
        return -1;
    Select(at, int(text.size()));
    return at;
}

// ---- files ----

bool RichTextBox::LoadFile(const QString& path, QString* error)
{
    const program::ProgramFileReading reading = program::ReadProgramFile(path);
    if (!reading.error.isEmpty()) {
        if (error)
            *error = reading.error;
        return false;
    }
    SetText(reading.text);
    fileName_ = path;
    encoding_ = reading.encoding;
    return true;
}

bool RichTextBox::SaveFile(const QString& path, QString* error) const
{
    const QString why = program::WriteProgramFile(path, Text(), encoding_);
    if (why.isEmpty())
        return true;
    if (error)
        *error = why;
    return false;
}

void RichTextBox::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText())
        return;
    QTextCursor c = textCursor();
    c.insertText(toDocumentBreaks(source->text()));
    setTextCursor(c);
    ensureCursorVisible();
}
