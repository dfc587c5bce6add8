#include "ui/UrlRecorder.h"

#include <QDesktopServices>

namespace tiklo::test {

UrlRecorder::UrlRecorder(const QString& scheme) : scheme_(scheme) {
    QDesktopServices::setUrlHandler(scheme_, this, "open");
}

UrlRecorder::~UrlRecorder() {
    QDesktopServices::unsetUrlHandler(scheme_);
}

} // namespace tiklo::test
