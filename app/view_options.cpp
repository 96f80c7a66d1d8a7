#include "app/view_options.h"

#include <QSettings>

#include "app/application.h"

namespace zenphal {
namespace {

QSettings Settings() {
  return QSettings(QString::fromLatin1(kSettingsCompany), QString::fromLatin1(kSettingsApplication));
}

constexpr const char* kRegionNumbers = "Region Numbers";
constexpr const char* kColourRegions = "Colour Regions";
constexpr const char* kAxisValues = "Axis Values";
constexpr const char* kFitPicture = "Fit Picture to Window";
constexpr const char* kColourByAgreement = "Colour by Agreement";

}  // namespace

PictureOptions ViewOptions::Picture() const {
  PictureOptions o;
  o.numbers = regionNumbers;
  o.colours = colourRegions;
  o.axisValues = axisValues;
  return o;
}

ViewOptions LoadViewOptions() {
  QSettings settings = Settings();
  settings.beginGroup(QString::fromLatin1(kViewSettingsGroup));
  ViewOptions o;
  o.regionNumbers = settings.value(QString::fromLatin1(kRegionNumbers), false).toBool();
  o.colourRegions = settings.value(QString::fromLatin1(kColourRegions), false).toBool();
  o.axisValues = settings.value(QString::fromLatin1(kAxisValues), false).toBool();
  o.fitPicture = settings.value(QString::fromLatin1(kFitPicture), false).toBool();
  o.colourByAgreement = settings.value(QString::fromLatin1(kColourByAgreement), false).toBool();
  return o;
}

void SaveViewOptions(const ViewOptions& o) {
  QSettings settings = Settings();
  settings.beginGroup(QString::fromLatin1(kViewSettingsGroup));
  settings.setValue(QString::fromLatin1(kRegionNumbers), o.regionNumbers);
  settings.setValue(QString::fromLatin1(kColourRegions), o.colourRegions);
  settings.setValue(QString::fromLatin1(kAxisValues), o.axisValues);
  settings.setValue(QString::fromLatin1(kFitPicture), o.fitPicture);
  settings.setValue(QString::fromLatin1(kColourByAgreement), o.colourByAgreement);
}

}  // namespace zenphal
