#include "platform/qt_debug_sink.h"

#include "platform/debug_output.h"

#include <cstdlib>

namespace platform {
namespace {

void qtSink(std::string_view line)
{
    const QLoggingCategory& category = qmxDebugCategory();
    if (category.isDebugEnabled())
        QMessageLogger(nullptr, 0, nullptr, category.categoryName()).debug("%.*s", static_cast<int>(line.size()), line.data());
}

} // namespace

const QLoggingCategory& qmxDebugCategory()
{
    static const QLoggingCategory category("qmx.debug", std::getenv("QMX_DEBUG") != nullptr ? QtDebugMsg : QtInfoMsg);
    return category;
}

void installQtDebugSink()
{
    setDebugSink(&qtSink);
}

} // namespace platform
