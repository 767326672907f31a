#include "app/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QString>
#include <QTranslator>

#include <memory>

void UseQtTranslations(const std::string& language) {
  static std::unique_ptr<QTranslator> inUse;
  if (inUse) {
    QCoreApplication::removeTranslator(inUse.get());
    inUse.reset();
  }
  if (language.empty() || language == "en") return;
  auto translator = std::make_unique<QTranslator>();
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (!translator->load("qtbase_" + QString::fromStdString(language), folder)) return;
  QCoreApplication::installTranslator(translator.get());
  inUse = std::move(translator);
}
