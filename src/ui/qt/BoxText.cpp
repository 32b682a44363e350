#include "ui/qt/BoxText.h"

#include <QStringList>

namespace vigil::ui::qt {

namespace {

// Breaks a word wider than the line into pieces that fit, the last one left open.
void BreakWord(const QString& word, const QFontMetrics& metrics, int widthPx, QStringList& lines,
               QString& line) {
  for (const QChar c : word) {
    if (!line.isEmpty() && metrics.horizontalAdvance(line + c) > widthPx) {
      lines << line;
      line.clear();
    }
    line += c;
  }
}

QString WrapParagraph(const QString& paragraph, const QFontMetrics& metrics, int widthPx) {
  QStringList lines;
  QString line;
  for (const QString& word : paragraph.split(QLatin1Char(' '))) {
    const QString joined = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
    if (metrics.horizontalAdvance(joined) <= widthPx) {
      line = joined;
      continue;
    }
    if (!line.isEmpty()) lines << line;
    line.clear();
    if (metrics.horizontalAdvance(word) <= widthPx) {
      line = word;
    } else {
      BreakWord(word, metrics, widthPx, lines, line);
    }
  }
  lines << line;
  return lines.join(QLatin1Char('\n'));
}

}  // namespace

QString WrapToWidth(const QString& text, const QFontMetrics& metrics, int widthPx) {
  QString plain = text;
  plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QStringList paragraphs = plain.split(QLatin1Char('\n'));
  for (QString& paragraph : paragraphs) paragraph = WrapParagraph(paragraph, metrics, widthPx);
  return paragraphs.join(QLatin1Char('\n'));
}

}  // namespace vigil::ui::qt
