#include "Desktop.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {
namespace {
OpenUrlHook& hook() {
    static OpenUrlHook h;
    return h;
}
} // namespace

bool OpenUrl(const std::string& url) {
    if (hook())
        return hook()(url);
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

void SetOpenUrlHook(OpenUrlHook h) {
    hook() = std::move(h);
}

} // namespace platform
