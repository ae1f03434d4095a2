#include "base/ui/fixed_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace tarvolin {

QFont FixedPitchFont() {
    static const QFont font = [] {
        QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        const QStringList installed = QFontDatabase::families();
        for (const char* family : {"DejaVu Sans Mono", "Liberation Mono", "Bitstream Vera Sans Mono", "Cousine"}) {
            if (installed.contains(QString::fromLatin1(family))) {
                f.setFamily(QString::fromLatin1(family));
                break;
            }
        }
        f.setStyleHint(QFont::Monospace);
        f.setFixedPitch(true);
        return f;
    }();
    return font;
}

} // namespace tarvolin
