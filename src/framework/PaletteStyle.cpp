#include "PaletteStyle.h"

#include <QApplication>
#include <QHash>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace {

// The style keeps each picture it draws under a name that includes the identity of the palette it
// was drawn with, and every control that sets a colour has a palette of its own: each window opened
// would add pictures (and their names) that no later control asks for again. Drawing with one
// palette per set of colours instead lets every control of those colours share them.
class TColourKeyedStyle : public QProxyStyle {
public:
    explicit TColourKeyedStyle(QStyle* base) : QProxyStyle(base) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        TSharedPalette shared(option);
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        TSharedPalette shared(option);
        QProxyStyle::drawControl(element, option, painter, widget);
    }
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override {
        TSharedPalette shared(option);
        QProxyStyle::drawComplexControl(control, option, painter, widget);
    }

private:
    // Puts the shared palette of the option's colours into the option for one drawing call, and the
    // option's own back afterwards.
    class TSharedPalette {
    public:
        explicit TSharedPalette(const QStyleOption* option) : FOption(const_cast<QStyleOption*>(option)) {
            if (!FOption) return;
            FOwn = FOption->palette;
            FOption->palette = Shared(FOwn);
        }
        ~TSharedPalette() {
            if (FOption) FOption->palette = FOwn;
        }
        TSharedPalette(const TSharedPalette&) = delete;
        TSharedPalette& operator=(const TSharedPalette&) = delete;

    private:
        QStyleOption* FOption;
        QPalette FOwn;
    };

    static QPalette Shared(const QPalette& palette) {
        static QHash<QByteArray, QPalette> byColours;
        QByteArray colours;
        colours.reserve(QPalette::NColorGroups * QPalette::NColorRoles * 5);
        for (int group = 0; group < QPalette::NColorGroups; ++group)
            for (int role = 0; role < QPalette::NColorRoles; ++role) {
                const QBrush& brush =
                    palette.brush(QPalette::ColorGroup(group), QPalette::ColorRole(role));
                // A brush with a picture or gradient keeps the palette it came with.
                if (brush.style() != Qt::SolidPattern && brush.style() != Qt::NoBrush) return palette;
                const QRgb rgb = brush.color().rgba();
                colours.append(reinterpret_cast<const char*>(&rgb), sizeof rgb);
                colours.append(char(brush.style()));
            }
        auto found = byColours.constFind(colours);
        if (found == byColours.constEnd()) found = byColours.insert(colours, palette);
        // The group the control is drawn in (disabled, inactive) is the option's own, not part of the
        // palette's identity.
        QPalette shared = *found;
        shared.setCurrentColorGroup(palette.currentColorGroup());
        return shared;
    }
};

}  // namespace

void UseColourKeyedStyle() {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app || dynamic_cast<TColourKeyedStyle*>(QApplication::style())) return;
    QApplication::setStyle(new TColourKeyedStyle(QStyleFactory::create(QApplication::style()->name())));
}
