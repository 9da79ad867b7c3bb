#include "LanguageWriter.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QStringList>
#include <stdexcept>

namespace skingen {
namespace {

// A caption holding a comma or starting with a quote is quoted, as the
// program's comma lists read it.
QString Field(const QString& text) {
  if (!text.contains(',') && !text.startsWith('"')) return text;
  QString quoted = text;
  quoted.replace("\"", "\"\"");
  return "\"" + quoted + "\"";
}

QString Value(const LanguageRow& row, int column) {
  QString value = Field(QString::fromUtf8(row.text[static_cast<std::size_t>(column)]));
  if (row.place.left < 0 && value.startsWith('"')) {
    // The reader drops quotes around a whole value: an empty field keeps them.
    value += ",";
  } else if (row.place.left >= 0) {
    // caption, up colour, down colour, font, size: left to the global font.
    value += QString(",,,,,%1,%2,%3,%4")
                 .arg(row.place.left)
                 .arg(row.place.top)
                 .arg(row.place.width)
                 .arg(row.place.height);
    if (row.page >= 0) value += QString(",%1").arg(row.page);
  }
  return value;
}

}  // namespace

void WriteLanguage(const BundledLanguage& language, const QString& folder) {
  if (!QDir().mkpath(folder)) throw std::runtime_error("cannot create " + folder.toStdString());
  QStringList sections = {"GlobalFont"};
  QMap<QString, QStringList> lines;
  lines["GlobalFont"] = {QString("ColorUp=0x%1").arg(kLanguageColorUp, 6, 16, QChar('0')),
                         QString("ColorDown=0x%1").arg(kLanguageColorDown, 6, 16, QChar('0')),
                         QString("Font=%1").arg(kLanguageFont),
                         QString("FontSize=%1").arg(kLanguageFontSize)};
  for (const LanguageRow& row : LanguageRows()) {
    const QString section = row.section;
    if (!sections.contains(section)) sections.append(section);
    lines[section].append(QString(row.key) + "=" + Value(row, language.column));
  }
  QByteArray text = "\xEF\xBB\xBF";
  text += QString("; %1 texts of the main window, written by skingen.\n"
                  "; Labels: caption,up colour,down colour,font,size,left,top,width,height[,page]\n")
              .arg(language.folder)
              .toUtf8();
  for (const QString& section : sections) {
    text += "\n[" + section.toUtf8() + "]\n";
    for (const QString& line : lines[section]) text += line.toUtf8() + "\n";
  }
  QFile file(folder + "/Language.ini");
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size()) {
    throw std::runtime_error("cannot write " + file.fileName().toStdString());
  }
}

}  // namespace skingen
