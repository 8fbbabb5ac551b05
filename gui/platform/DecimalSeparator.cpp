#include "gui/platform/DecimalSeparator.h"

#include <QLocale>

namespace rs {

char DecimalSeparator() {
    QString dp = QLocale().decimalPoint();
    return (dp.size() == 1 && dp[0].unicode() < 128) ? static_cast<char>(dp[0].unicode()) : '.';
}

}  // namespace rs
