// SPDX-License-Identifier: GPL-3.0-or-later
#include "circle_of_fifths_window.h"

#include "picture_export.h"

#include "menu_bar.h"
#include "scale_ticks.h"
#include "temperament_menu.h"
#include "temperaments.h"

#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>

#include <cmath>
#include <numbers>

namespace stimmung::app {

namespace {

// One circle's box and the figures inside it, at 100 %.
constexpr double kBoxWidth = 480;
constexpr double kBoxHeight = 470;
constexpr double kLegendHeight = 40;
constexpr double kRadius = 125;
constexpr double kCentreY = 250;
constexpr double kFifthLabelRadius = kRadius + 50;
constexpr double kThirdLabelRadius = kRadius - 42;
constexpr QColor kWolfColour{200, 0, 0};
constexpr QColor kFifthColour{0, 90, 160};
constexpr QColor kThirdColour{0, 128, 64};

QString Qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QFont PixelFont(int px, bool bold = false) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(px);
    font.setBold(bold);
    return font;
}

// Step s of the circle, from c at the top clockwise; `between` half a step on.
QPointF OnCircle(QPointF centre, double radius, double step) {
    const double angle = step * 2 * std::numbers::pi / tuning::kNotesPerOctave - std::numbers::pi / 2;
    return centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
}

void CentredText(QPainter& p, QPointF at, const QString& text) {
    const QRectF box(at.x() - 60, at.y() - 30, 120, 60);
    p.drawText(box, Qt::AlignCenter, text);
}

QString FifthText(const tuning::Fifth& fifth) {
    QString text = Qs(tuning::NarrowingText(fifth.stated)) + u'\n' + Qs(tuning::DeviationText(-fifth.narrowedCents));
    if (fifth.wolf) text = QStringLiteral("Wolf\n") + text;
    return text;
}

void PaintCircle(QPainter& p, const tuning::Temperament& t, double left) {
    const QPointF centre(left + kBoxWidth / 2, kCentreY);
    p.setPen(Qt::black);
    p.setFont(PixelFont(17, true));
    p.drawText(QRectF(left, 8, kBoxWidth, 30), Qt::AlignCenter, Qs(t.name));

    const auto fifths = tuning::Fifths(t);
    for (int s = 0; s < tuning::kNotesPerOctave; ++s) {
        const tuning::Fifth& fifth = fifths[s];
        const QColor colour = fifth.wolf ? kWolfColour : kFifthColour;
        p.setPen(QPen(colour, fifth.wolf ? 4 : 2));
        p.drawLine(OnCircle(centre, kRadius, s), OnCircle(centre, kRadius, s + 1));
        p.setPen(colour);
        p.setFont(PixelFont(12, fifth.wolf));
        CentredText(p, OnCircle(centre, kFifthLabelRadius, s + 0.5), FifthText(fifth));
    }

    // The note names on white discs over the corners of the circle.
    p.setFont(PixelFont(14, true));
    for (int s = 0; s < tuning::kNotesPerOctave; ++s) {
        const QPointF at = OnCircle(centre, kRadius, s);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawEllipse(at, 16, 16);
        p.setBrush(Qt::NoBrush);
        p.drawText(QRectF(at.x() - 16, at.y() - 16, 32, 32), Qt::AlignCenter,
                   Qs(tuning::kNoteNames[tuning::NoteOfCircle(s)]));
    }

    // Each major third beside the note it stands on.
    const auto thirds = tuning::MajorThirds(t);
    p.setPen(kThirdColour);
    p.setFont(PixelFont(12));
    for (int s = 0; s < tuning::kNotesPerOctave; ++s)
        CentredText(p, OnCircle(centre, kThirdLabelRadius, s),
                    Qs(tuning::DeviationText(thirds[tuning::NoteOfCircle(s)].deviationCents)));
    p.setFont(PixelFont(11));
    p.drawText(QRectF(centre.x() - 50, centre.y() - 20, 100, 40), Qt::AlignCenter,
               QStringLiteral("große Terzen\nzu 5/4"));
}

const tuning::Temperament* TemperamentAt(int index) {
    const auto table = tuning::Temperaments();
    return index >= 0 && index < static_cast<int>(table.size()) ? &table[index] : nullptr;
}

} // namespace

QSizeF CirclePictureSize(bool compared) { return {kBoxWidth * (compared ? 2 : 1), kBoxHeight + kLegendHeight}; }

void PaintCircles(QPainter& p, int first, int second) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QSizeF size = CirclePictureSize(TemperamentAt(second));
    p.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
    if (const auto* t = TemperamentAt(first)) PaintCircle(p, *t, 0);
    if (const auto* t = TemperamentAt(second)) PaintCircle(p, *t, kBoxWidth);
    p.setPen(Qt::black);
    p.setFont(PixelFont(12));
    p.drawText(QRectF(10, kBoxHeight, size.width() - 20, kLegendHeight), Qt::AlignCenter | Qt::TextWordWrap,
               QStringLiteral("Außen: jede Quinte, ihre Verengung und ihre Abweichung von 3/2 in Cent. "
                              "Innen: die große Terz über jedem Ton, ihre Abweichung von 5/4 in Cent."));
}

// The picture in the window, at the zoom the window has.
class CirclePicture : public QWidget {
public:
    explicit CirclePicture(CircleOfFifthsWindow& window) : window_(window) {
        setAccessibleName(QStringLiteral("Quintenzirkel"));
    }
    void updateSize(int zoom) {
        zoom_ = zoom;
        setFixedSize((CirclePictureSize(window_.second() >= 0) * zoom / 100.0).toSize());
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.scale(zoom_ / 100.0, zoom_ / 100.0);
        PaintCircles(p, window_.first(), window_.second());
    }

private:
    CircleOfFifthsWindow& window_;
    int zoom_ = 100;
};

CircleOfFifthsWindow::CircleOfFifthsWindow(MenuFrame& frame) : QWidget(&frame, Qt::Window), frame_(frame) {
    setObjectName(QStringLiteral("CircleOfFifthsWindow"));
    setWindowTitle(QStringLiteral("Quintenzirkel"));
    setAttribute(Qt::WA_DeleteOnClose);

    first_ = new QComboBox(this);
    second_ = new QComboBox(this);
    second_->addItem(QStringLiteral("(keiner)"));
    for (const tuning::Temperament& t : tuning::Temperaments()) {
        first_->addItem(Qs(t.name));
        second_->addItem(Qs(t.name));
    }
    first_->setAccessibleName(QStringLiteral("Stimmung"));
    second_->setAccessibleName(QStringLiteral("Vergleich mit"));
    first_->setCurrentIndex(std::max(0, LastChosenTemperament()));

    auto* firstLabel = new QLabel(QStringLiteral("&Stimmung:"), this);
    firstLabel->setBuddy(first_);
    auto* secondLabel = new QLabel(QStringLiteral("&Vergleich mit:"), this);
    secondLabel->setBuddy(second_);
    auto* save = new QPushButton(QStringLiteral("S&peichern …"), this);
    auto* copy = new QPushButton(QStringLiteral("&Kopieren"), this);
    auto* print = new QPushButton(QStringLiteral("&Drucken …"), this);
    save->setAccessibleName(QStringLiteral("Bild speichern"));
    copy->setAccessibleName(QStringLiteral("Bild kopieren"));
    print->setAccessibleName(QStringLiteral("Bild drucken"));

    picture_ = new CirclePicture(*this);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(picture_);
    scroll->setAlignment(Qt::AlignCenter);
    scroll->setAccessibleName(QStringLiteral("Quintenzirkel"));

    auto* controls = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{firstLabel, first_, secondLabel, second_})
        controls->addWidget(w);
    controls->addStretch();
    for (QWidget* w : std::initializer_list<QWidget*>{save, copy, print}) controls->addWidget(w);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(scroll, 1);

    connect(first_, &QComboBox::currentIndexChanged, this, &CircleOfFifthsWindow::pictureChanged);
    connect(second_, &QComboBox::currentIndexChanged, this, &CircleOfFifthsWindow::pictureChanged);
    connect(save, &QPushButton::clicked, this, &CircleOfFifthsWindow::saveClicked);
    connect(copy, &QPushButton::clicked, this, &CircleOfFifthsWindow::copyClicked);
    connect(print, &QPushButton::clicked, this, &CircleOfFifthsWindow::printClicked);
    const std::pair<QKeySequence::StandardKey, void (CircleOfFifthsWindow::*)()> keys[] = {
        {QKeySequence::Save, &CircleOfFifthsWindow::saveClicked},
        {QKeySequence::Copy, &CircleOfFifthsWindow::copyClicked},
        {QKeySequence::Print, &CircleOfFifthsWindow::printClicked}};
    for (const auto& [key, slot] : keys)
        connect(new QShortcut(key, this), &QShortcut::activated, this, slot);
    connect(new QShortcut(QKeySequence::Close, this), &QShortcut::activated, this, [this] { close(); });
    connect(&frame, &MenuFrame::zoomChanged, this, &CircleOfFifthsWindow::setZoomPercent);
    setZoomPercent(frame.zoomPercent());
}

CircleOfFifthsWindow& CircleOfFifthsWindow::Open(MenuFrame& frame) {
    auto* window = frame.findChild<CircleOfFifthsWindow*>();
    if (!window) window = new CircleOfFifthsWindow(frame);
    window->show();
    window->raise();
    window->activateWindow();
    return *window;
}

int CircleOfFifthsWindow::first() const { return first_->currentIndex(); }
int CircleOfFifthsWindow::second() const { return second_->currentIndex() - 1; }

void CircleOfFifthsWindow::showTemperament(int index) { first_->setCurrentIndex(index); }

void CircleOfFifthsWindow::setZoomPercent(int percent) {
    zoom_ = percent;
    QFont font = this->font();
    font.setPixelSize(std::lround(13 * percent / 100.0));
    setFont(font);
    pictureChanged();
}

void CircleOfFifthsWindow::pictureChanged() {
    picture_->updateSize(zoom_);
    // A screen reader reads the figures the picture shows.
    QStringList lines;
    for (int index : {first(), second()}) {
        const auto* t = TemperamentAt(index);
        if (!t) continue;
        lines << Qs(t->name);
        for (const tuning::Fifth& f : tuning::Fifths(*t))
            lines << QStringLiteral("%1–%2: %3").arg(Qs(tuning::kNoteNames[f.lower]), Qs(tuning::kNoteNames[f.upper]),
                                                    FifthText(f).replace(u'\n', QStringLiteral(", ")));
    }
    picture_->setAccessibleDescription(lines.join(QStringLiteral("; ")));
    const QSize wanted = picture_->size() + QSize(40, 80);
    if (isVisible()) resize(wanted.boundedTo(screen() ? screen()->availableSize() : wanted));
    else resize(wanted);
}

Picture CircleOfFifthsWindow::picture() const {
    const int first = this->first(), second = this->second();
    return {CirclePictureSize(second >= 0), QStringLiteral("Quintenzirkel"),
            [first, second](QPainter& p) { PaintCircles(p, first, second); }};
}

QImage CircleOfFifthsWindow::image() const { return PictureImage(picture(), zoom_, devicePixelRatioF()); }

bool CircleOfFifthsWindow::save(const QString& path) const {
    return SavePicture(picture(), path, zoom_, devicePixelRatioF());
}

void CircleOfFifthsWindow::print(QPrinter& printer) const { PrintPicture(picture(), printer); }

void CircleOfFifthsWindow::saveClicked() {
    SavePictureAs(this, QStringLiteral("Quintenzirkel speichern"), QStringLiteral("quintenzirkel.png"),
                  [this](const QString& path) { return save(path); });
}

void CircleOfFifthsWindow::copyClicked() { QGuiApplication::clipboard()->setImage(image()); }

void CircleOfFifthsWindow::printClicked() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(second() >= 0 ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setDocName(QStringLiteral("Quintenzirkel"));
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(QStringLiteral("Quintenzirkel drucken"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { print(*p); });
    preview.exec();
}

void mnuQuintenzirkel_Click(MenuFrame& frame) { CircleOfFifthsWindow::Open(frame); }

} // namespace stimmung::app
