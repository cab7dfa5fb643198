#include "PaletteStyle.h"

#include <QApplication>
#include <QCache>
#include <QHash>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOption>
#include <algorithm>
#include <memory>

namespace {

qint64 gColourKeyComparisons = 0;

// A set of colours as the tables hold it. Comparisons are counted: what a look-up costs shows.
struct TColourKey {
    QByteArray Colours;
    friend bool operator==(const TColourKey& a, const TColourKey& b) {
        ++gColourKeyComparisons;
        return a.Colours == b.Colours;
    }
    friend size_t qHash(const TColourKey& key, size_t seed = 0) { return qHash(key.Colours, seed); }
};

// The style keeps each picture it draws under a name that includes the identity of the palette it
// was drawn with, and every control that sets a colour has a palette of its own: each window opened
// would add pictures (and their names) that no later control asks for again. Drawing with one
// palette per set of colours instead lets every control of those colours share them.
class TColourKeyedStyle : public QProxyStyle {
public:
    explicit TColourKeyedStyle(QStyle* base) : QProxyStyle(base) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        TSharedPalette shared(this, option, painter, widget);
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        TSharedPalette shared(this, option, painter, widget);
        QProxyStyle::drawControl(element, option, painter, widget);
    }
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override {
        TSharedPalette shared(this, option, painter, widget);
        if (control == CC_ScrollBar && DrawKeptScrollBar(option, painter, widget)) return;
        QProxyStyle::drawComplexControl(control, option, painter, widget);
    }

    // A paint beginning lets go of the colours not drawn with since the last one began; new colours
    // let go of all (the paint that follows takes back those still drawn with).
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (watched->isWidgetType() && (type == QEvent::Paint || type == QEvent::PaletteChange))
            Forget(static_cast<const QWidget*>(watched), type == QEvent::PaletteChange);
        return QProxyStyle::eventFilter(watched, event);
    }

    // How many palettes are kept for the widgets that drew with them, and aside.
    int SharedCount() const { return int(FByColours.size()); }
    int SpareCount() const { return int(FSpare.size()); }
    int HeldCount(const QWidget* widget) const { return int(FUsers.value(widget).size()); }

private:
    // A scroll bar's gradients cost more to draw than most of the window around them, and scroll bars
    // look alike: each look is drawn once into a picture of the bar, which is then copied. Only
    // pictures that cover every pixel are kept (copying them is drawing them), and only for a painter
    // that draws whole pixels as they are, onto 32-bit pixels.
    struct TKeptPicture {
        QImage Picture;  // null: the look leaves pixels uncovered, so it is drawn each time
    };

    static bool CopiesPixels(const QPainter* painter) {
        const QTransform& t = painter->deviceTransform();
        return painter->paintEngine() && painter->paintEngine()->type() == QPaintEngine::Raster &&
               painter->device()->devicePixelRatio() == 1 && t.type() <= QTransform::TxTranslate &&
               t.dx() == qRound(t.dx()) && t.dy() == qRound(t.dy()) && painter->opacity() == 1 &&
               painter->compositionMode() == QPainter::CompositionMode_SourceOver;
    }

    static QByteArray ScrollBarKey(const QStyleOptionSlider& bar, const QPainter* painter) {
        const QPen pen = painter->pen();
        const qint64 fields[] = {bar.version, bar.state.toInt(), bar.direction, bar.rect.width(), bar.rect.height(),
                                 qint64(bar.palette.cacheKey()), bar.palette.currentColorGroup(),
                                 bar.subControls.toInt(), bar.activeSubControls.toInt(), bar.orientation,
                                 bar.minimum, bar.maximum, bar.sliderPosition, bar.sliderValue, bar.singleStep,
                                 bar.pageStep, bar.upsideDown, painter->renderHints().toInt(), pen.color().rgba(),
                                 pen.style(), painter->brush().color().rgba(), painter->brush().style()};
        return QByteArray(reinterpret_cast<const char*>(fields), sizeof fields);
    }

    bool DrawKeptScrollBar(const QStyleOptionComplex* option, QPainter* painter, const QWidget* widget) const {
        // The style draws a line or so past the bar's rectangle, which only a scroll bar painting
        // itself clips away: only then is the picture of the rectangle all that shows.
        const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
        if (!bar || !painter || option->rect.isEmpty() || !qobject_cast<const QScrollBar*>(widget) ||
            option->rect != widget->rect() || !CopiesPixels(painter))
            return false;
        const QImage::Format format = TargetFormat(painter);
        if (format == QImage::Format_Invalid) return false;
        // Gradients round by where on the target a pixel lies: a picture is kept per place.
        const QRect target = painter->deviceTransform().mapRect(option->rect);
        if (target.left() < 0 || target.top() < 0) return false;
        const QByteArray key = ScrollBarKey(*bar, painter) + char(format) +
                               QByteArray::number(target.left()) + ',' + QByteArray::number(target.top());
        TKeptPicture* kept = FScrollBars.object(key);
        if (!kept) {
            // Drawn in the target's own pixel layout and place (so it rounds as drawing on the target
            // would), on black and on white: where both agree, no pixel of the background shows.
            const QImage onBlack = DrawnOn(Qt::black, format, target, option, painter, widget);
            const QImage onWhite = DrawnOn(Qt::white, format, target, option, painter, widget);
            kept = new TKeptPicture{onBlack == onWhite && !onBlack.isNull() ? onBlack : QImage()};
            FScrollBars.insert(key, kept, int(onBlack.sizeInBytes() / 1024) + 1);
        }
        if (kept->Picture.isNull()) return false;
        painter->drawImage(option->rect.topLeft(), kept->Picture);
        return true;
    }

    // The layout of the pixels the painter draws on, where it is one a picture is copied onto as is.
    static QImage::Format TargetFormat(QPainter* painter) {
        QPaintDevice* device = painter->paintEngine()->paintDevice();
        if (!device || device->devType() != QInternal::Image) return QImage::Format_Invalid;
        const QImage::Format format = static_cast<QImage*>(device)->format();
        const bool plain32 = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
                             format == QImage::Format_ARGB32_Premultiplied;
        return plain32 ? format : QImage::Format_Invalid;
    }

    // The bar drawn as on the target, into an image whose pixels lie where the target's do; only the
    // bar's own pixels are touched and returned.
    QImage DrawnOn(Qt::GlobalColor background, QImage::Format format, const QRect& target,
                   const QStyleOptionComplex* option, const QPainter* painter, const QWidget* widget) const {
        QImage canvas(target.right() + 1, target.bottom() + 1, format);
        if (canvas.isNull()) return QImage();
        {
            QPainter p(&canvas);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.fillRect(target, background);
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
            p.setClipRect(target);
            p.setRenderHints(painter->renderHints());
            p.setPen(painter->pen());
            p.setBrush(painter->brush());
            p.setTransform(painter->deviceTransform());
            QProxyStyle::drawComplexControl(CC_ScrollBar, option, &p, widget);
        }
        return canvas.copy(target);
    }

    // The looks drawn lately, up to about a megabyte of pictures.
    mutable QCache<QByteArray, TKeptPicture> FScrollBars{1024};

    // Puts the shared palette of the option's colours into the option for one drawing call, and the
    // option's own back afterwards.
    class TSharedPalette {
    public:
        TSharedPalette(const TColourKeyedStyle* style, const QStyleOption* option, const QPainter* painter,
                       const QWidget* widget)
            : FOption(const_cast<QStyleOption*>(option)) {
            if (!FOption) return;
            FOwn = FOption->palette;
            FOption->palette = style->Shared(FOwn, painter, widget);
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

    // A palette is kept while a widget draws with it, so the table holds the colours that living
    // controls show now, not every colour they ever showed.
    struct TSharedEntry {
        QPalette Palette;
        int Users = 0;
    };
    mutable QHash<TColourKey, TSharedEntry> FByColours;
    // The colours a widget paints with: those of its latest paint and of anything drawn since.
    struct TUse {
        TColourKey Colours;
        bool Drawn;  // since the widget's latest paint began
    };
    mutable QHash<const QWidget*, QList<TUse>> FUsers;
    // The last palettes that no widget uses any more: a window opened again in the same colours draws
    // with the same palette, and so finds the pictures its last opening left, instead of leaving more.
    mutable QCache<TColourKey, QPalette> FSpare{SparePalettes};

    // The option's colours as one key; empty for a palette of pictures or gradients, which is not shared.
    static TColourKey ColourKey(const QPalette& palette) {
        QByteArray colours;
        colours.reserve(int(QPalette::NColorGroups) * int(QPalette::NColorRoles) * 5);
        for (int group = 0; group < QPalette::NColorGroups; ++group)
            for (int role = 0; role < QPalette::NColorRoles; ++role) {
                const QBrush& brush =
                    palette.brush(QPalette::ColorGroup(group), QPalette::ColorRole(role));
                if (brush.style() != Qt::SolidPattern && brush.style() != Qt::NoBrush) return {};
                const QRgb rgb = brush.color().rgba();
                colours.append(reinterpret_cast<const char*>(&rgb), sizeof rgb);
                colours.append(char(brush.style()));
            }
        return {colours};
    }

    // The widget a palette is kept for: the one being painted (an item view's viewport, say, paints
    // its items for the view), else the one drawn for.
    static const QWidget* Painted(const QPainter* painter, const QWidget* widget) {
        const QPaintDevice* device = painter ? painter->device() : nullptr;
        if (device && device->devType() == QInternal::Widget) return static_cast<const QWidget*>(device);
        return widget;
    }

    QPalette Shared(const QPalette& palette, const QPainter* painter, const QWidget* widget) const {
        const TColourKey colours = ColourKey(palette);
        if (colours.Colours.isEmpty()) return palette;
        if (!widget) {
            // Drawing for no widget shares a palette kept for widgets, and keeps none itself.
            const auto found = FByColours.constFind(colours);
            return found != FByColours.cend() ? WithGroupOf(palette, found->Palette) : palette;
        }
        const QWidget* painted = Painted(painter, widget);
        auto user = FUsers.find(painted);
        if (user == FUsers.end()) {
            user = FUsers.insert(painted, {});
            auto* watched = const_cast<QWidget*>(painted);
            watched->installEventFilter(const_cast<TColourKeyedStyle*>(this));
            connect(watched, &QObject::destroyed, this, [this, painted] {
                Forget(painted, true);
                FUsers.remove(painted);
            });
        }
        auto found = FByColours.find(colours);
        const auto use =
            std::find_if(user->begin(), user->end(), [&](const TUse& u) { return u.Colours == colours; });
        if (use != user->end()) {
            use->Drawn = true;
        } else {
            if (found == FByColours.end()) {
                std::unique_ptr<QPalette> spare(FSpare.take(colours));
                found = FByColours.insert(colours, {spare ? *spare : palette});
            }
            ++found->Users;
            user->append({found.key(), true});  // the table's own copy of the colours, shared
        }
        return WithGroupOf(palette, found->Palette);
    }

    // The group the control is drawn in (disabled, inactive) is the option's own, not part of the
    // palette's identity.
    static QPalette WithGroupOf(const QPalette& option, const QPalette& shared) {
        QPalette drawn = shared;
        drawn.setCurrentColorGroup(option.currentColorGroup());
        return drawn;
    }

    // The widget's colours not drawn with since its latest paint began (or all); the palettes no other
    // widget draws with are set aside.
    void Forget(const QWidget* widget, bool all) const {
        const auto user = FUsers.find(widget);
        if (user == FUsers.end()) return;
        for (auto use = user->begin(); use != user->end();) {
            if (use->Drawn && !all) {
                use->Drawn = false;
                ++use;
                continue;
            }
            const auto entry = FByColours.find(use->Colours);
            use = user->erase(use);
            if (entry == FByColours.end() || --entry->Users > 0) continue;
            FSpare.insert(entry.key(), new QPalette(entry->Palette));
            FByColours.erase(entry);
        }
    }
};

}  // namespace

int SharedPaletteCount() {
    const auto* style = dynamic_cast<const TColourKeyedStyle*>(QApplication::style());
    return style ? style->SharedCount() : 0;
}

int SparePaletteCount() {
    const auto* style = dynamic_cast<const TColourKeyedStyle*>(QApplication::style());
    return style ? style->SpareCount() : 0;
}

int PalettesHeldBy(const QWidget* widget) {
    const auto* style = dynamic_cast<const TColourKeyedStyle*>(QApplication::style());
    return style ? style->HeldCount(widget) : 0;
}

qint64 ColourKeyComparisons() {
    return gColourKeyComparisons;
}

void UseColourKeyedStyle() {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app || dynamic_cast<TColourKeyedStyle*>(QApplication::style())) return;
    QApplication::setStyle(new TColourKeyedStyle(QStyleFactory::create(QApplication::style()->name())));
}
