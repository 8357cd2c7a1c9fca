#pragma once
// A plain-text box with coloured runs whose every position counts a line break as two
// characters (CR LF), as the program's colouring and syntax check compute them.
//
// Inside, each line is one block of the document; the box converts between its CR LF
// positions and the document's one-character block breaks. Colours are Windows RGB values.
// Key events are reported with Windows key codes before the box acts on them, so the owner
// can change or swallow a key the way the program's handlers expect.

#include "program/ProgramFile.h"

#include <QTextDocumentFragment>
#include <QTextEdit>
#include <vector>

// The content of a box with its formatting, as one value: the result of TextRTF, given to
// another box's SetTextRTF to move coloured text in one assignment.
struct RichText
{
    QTextDocumentFragment fragment;
};

// A stretch of the text with the character format it takes, for SetFormattedText.
struct FormattedRun
{
    int length = 0; // characters of Text(); a run never ends between the CR and LF of a break
    int format = 0; // index into the formats given with the runs
};

class RichTextBox : public QTextEdit
{
    Q_OBJECT

public:
    explicit RichTextBox(QWidget* parent = nullptr);

    // The plain text, lines separated by CR LF. Setting it accepts CR LF, lone CR and lone LF
    // as line breaks, replaces content and formatting, and raises Change once.
    QString Text() const;
    void SetText(const QString& text);
    // Length of Text().
    int TextLength() const;

    // Replaces content and formatting with `text` formatted run by run, the runs following
    // each other from its start, each in formats[run.format], in one edit: what setting the
    // text and then selecting and formatting each run would give, at a cost in proportion to
    // the text's length. Raises Change once; caret and scroll position as SetTextRTF.
    void SetFormattedText(const QString& text, const std::vector<QTextCharFormat>& formats,
                          const std::vector<FormattedRun>& runs);

    // Replaces the text of one line (0-based, as counted between CR LF breaks) with `text`
    // formatted run by run, as SetFormattedText formats a whole text, and leaves every other
    // line and every line break as it was: the cost is that of the line alone. Line breaks
    // in `text` open new lines. Raises Change once, also for an unchanged line, as setting
    // the text does; the caret goes to the start of the text. A line that does not exist
    // changes nothing.
    void ReplaceLine(int line, const QString& text, const std::vector<QTextCharFormat>& formats,
                     const std::vector<FormattedRun>& runs);
    // Number of lines: one more than the line breaks; and the text of one of them.
    int LineCount() const;
    QString LineText(int line) const;

    RichText TextRTF() const;

    // Hides a box for good, as scratch: its text is no longer laid out for showing, which
    // spares the time and memory of shaping every line. Text, positions and formats work.
    void SetNeverShown();
    // Replaces content and formatting and raises Change once. The caret and the scroll
    // position stay where they were, as far as the new text reaches.
    void SetTextRTF(const RichText& content);

    // Selection in positions of Text(). Setting SelStart drops the selection; SelLength
    // then extends it from SelStart. Positions are clamped to the text.
    int SelStart() const;
    void SetSelStart(int start);
    int SelLength() const;
    void SetSelLength(int length);
    void Select(int start, int length);
    QString SelText() const;
    // Replaces the selection; raises Change once when the text changes.
    void SetSelText(const QString& text);

    // Format of the selection, or with an empty selection of what is typed next. The
    // getters read the first selected character (the insertion format when empty).
    qint32 SelColor() const;
    void SetSelColor(qint32 rgb);
    bool SelBold() const;
    void SetSelBold(bool bold);
    QString SelFontName() const;
    void SetSelFontName(const QString& name);
    double SelFontSize() const;
    void SetSelFontSize(double points);

    qint32 BackColor() const;
    void SetBackColor(qint32 rgb);

    // A locked box takes no typing but can still be selected and set from code.
    bool Locked() const { return locked_; }
    void SetLocked(bool locked);

    // Position of the first occurrence of `text` in [start, end) (end -1: to the end of the
    // text), letter case ignored unless matchCase; the found text is selected. -1 when absent.
    int Find(const QString& text, int start = 0, int end = -1, bool matchCase = false);

    // The encodings a program file is read in and written back in.
    using FileEncoding = program::FileEncoding;
    static constexpr qint64 MaxFileBytes = program::MaxFileBytes;

    // Program files, read and written whole by program/ProgramFile. LoadFile accepts CR LF,
    // LF and CR line ends and reads text that is not UTF-8 as Windows-1252, and remembers the
    // encoding; it refuses what is not a regular file or is larger than MaxFileBytes. On failure the box is unchanged and `error` says
    // why. SaveFile writes Text() in the box's encoding all or nothing: a failed save, or a
    // character the encoding cannot hold, leaves the old file.
    bool LoadFile(const QString& path, QString* error = nullptr);
    bool SaveFile(const QString& path, QString* error = nullptr) const;
    // The path last loaded.
    QString FileName() const { return fileName_; }
    // The encoding of the file last loaded (UTF-8 for pure ASCII); set it to carry a
    // document's encoding over to the box that saves it.
    FileEncoding Encoding() const { return encoding_; }
    void SetEncoding(FileEncoding encoding) { encoding_ = encoding; }

    // The Windows key code of a key event as the editor sees it (65 for A, 219 for the "[" key,
    // 13 for Enter, ...; see platform::EditorKeyCode); 0 for keys without one.
    static qint16 WindowsKeyCode(const QKeyEvent& event);
    // Shift 1, Ctrl 2, Alt 4, summed.
    static qint16 ShiftState(Qt::KeyboardModifiers modifiers);

signals:
    // Raised by every change of the plain text, typed or set from code; not by formatting.
    void Change();
    // Before the key acts; KeyCode set to 0 swallows the key stroke.
    void KeyDown(qint16& KeyCode, qint16 Shift);
    // The character about to be typed; changed, it is typed instead; 0 types nothing.
    void KeyPress(qint16& KeyAscii);
    void KeyUp(qint16 KeyCode, qint16 Shift);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    int docFromPlain(int plain, bool roundUp) const;
    int plainFromDoc(int doc) const;
    void onContentsChange(int position, int removed, int added);
    QString documentText(int from, int to) const;
    void applyFormat(const QTextCharFormat& format);
    QTextCharFormat selectionFormat() const;

    // Runs a change from code as one: Change is raised at most once, at the end
    // (always when `forceChange`).
    template <typename F> void asOneChange(bool forceChange, F&& change);

    QString raw_; // the document's text, one U+2029 between blocks, kept to tell edits from formatting
    int batchDepth_ = 0;
    bool batchChanged_ = false;
    bool locked_ = false;
    QString fileName_;
    FileEncoding encoding_ = FileEncoding::Utf8;
};
