#pragma once
// A document's look as the user's eye and the editor's formats see it: its text, and every
// character's and every line's format, to compare two ways of building one document.

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextDocument>
#include <string>
#include <vector>

// Every line's formats and every character with its format, one entry per character.
struct Look
{
    QString text;
    std::vector<QTextCharFormat> characters;
    std::vector<QTextCharFormat> lineFormats;
    std::vector<QTextBlockFormat> lines;
};

inline Look lookOf(const QTextDocument& doc)
{
    Look look;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        look.lineFormats.push_back(b.charFormat());
        look.lines.push_back(b.blockFormat());
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            look.text += f.text();
            for (int i = 0; i < f.length(); ++i)
                look.characters.push_back(f.charFormat());
        }
        look.text += u'\n';
    }
    return look;
}

inline void expectSameLook(const Look& want, const Look& got, const std::string& name)
{
    ASSERT_EQ(got.text, want.text) << name;
    ASSERT_EQ(got.characters.size(), want.characters.size()) << name;
    for (size_t i = 0; i < want.characters.size(); ++i) {
        ASSERT_TRUE(got.characters[i] == want.characters[i]) << name << " character " << i;
        ASSERT_EQ(got.characters[i].foreground().color(), want.characters[i].foreground().color()) << name << " " << i;
    }
    ASSERT_EQ(got.lines.size(), want.lines.size()) << name;
    for (size_t i = 0; i < want.lines.size(); ++i) {
        EXPECT_TRUE(got.lineFormats[i] == want.lineFormats[i]) << name << " line " << i;
        EXPECT_TRUE(got.lines[i] == want.lines[i]) << name << " line " << i;
    }
}

