#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QString>

#include <map>
#include <memory>

// A font of one layout call with what the layout needs of it.
struct LayoutFont
{
    explicit LayoutFont(const QFont &f);
    QFont font;
    QFontMetrics metrics;
    int ascent = 0;
    int charHeight = 0;  // height of a character cell, 33 read as 32, 97 as 96
    int drawPadding = 0; // room the string drawing leaves in front of the text
};

// The fonts of one layout call, made once per face, size and style.
// References stay valid for the life of the object.
class LayoutFonts
{
public:
    const LayoutFont &get(const QString &face, int pointSize, int styleFlags);

private:
    std::map<QString, std::unique_ptr<LayoutFont>> m_fonts;
};
