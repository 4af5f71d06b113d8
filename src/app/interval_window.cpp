// SPDX-License-Identifier: GPL-3.0-or-later
#include "interval_window.h"

#include "picture_export.h"

#include "chord_player.h"
#include "controls.h"
#include "envelope_smoothing.h"
#include "envelope_view.h"
#include "form1.h"
#include "main_window.h"
#include "menu_bar.h"
#include "offered_tunings.h"
#include "sample_rate.h"
#include "scale_frequencies.h"
#include "tone_rules.h"
#include "wav_file.h"

#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace stimmung::app {

namespace {

// The list's own tunings, in the order of ListeningTuning.
constexpr std::string_view kOwnTunings[] = {"Pythagoreisch", "Rein (Didymos)", "Temperiert (Tabelle)",
                                            "N gleiche Stufen", "von Hand gesetzte Noten"};
constexpr std::string_view kDegreeNames[] = {"c", "d", "e", "f", "g", "a", "h", "c'", "d'"};
constexpr std::array kDefaultTunings{ListeningTuning::Just, ListeningTuning::EqualSteps};
constexpr std::string_view kSideNames[] = {"A", "B"};
constexpr std::string_view kWindowTimbre = "Obertöne";
constexpr int kDefaultSeconds = 3;
constexpr int kMostSeconds = 30;
constexpr std::int32_t kPauseMs = 1000;
// Rendered beyond the picture, so its end fade stays out of view.
constexpr std::int32_t kRenderMarginMs = 100;
constexpr QColor kProblemColour{200, 0, 0};
const QString kHandChoice = QStringLiteral("von Hand gewählte Töne");
const QString kNoNote = QStringLiteral("—");

QString Qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QString JustText(const JustNeighbour& just) {
    QString text = QStringLiteral("%1/%2").arg(just.ratio.numerator).arg(just.ratio.denominator);
    if (just.octaves > 0) text += QStringLiteral(" + %1 Okt.").arg(just.octaves);
    return text;
}

QString BeatCell(const NotePair& pair) {
    return pair.beat ? Qs(BeatText(pair.beat->hz)) + QStringLiteral(" Hz") : kNoNote;
}

} // namespace

IntervalWindow::IntervalWindow(MenuFrame& frame) : QWidget(&frame, Qt::Window), frame_(frame) {
    setObjectName(QStringLiteral("IntervalWindow"));
    setWindowTitle(QStringLiteral("Intervalle und Schwebungen"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The player belongs to the main window: closing this one while a row
    // sounds lets the row end on its own instead of waiting for it here.
    player_ = frame.findChild<ChordPlayer*>(QString(), Qt::FindDirectChildrenOnly);
    if (!player_) player_ = new ChordPlayer(&frame);

    chord_ = new QComboBox(this);
    for (const ChordChoice& c : ChordChoices()) chord_->addItem(Qs(c.name));
    chord_->addItem(kHandChoice);
    chord_->setCurrentIndex(static_cast<int>(kDefaultChordChoice));
    chord_->setAccessibleName(QStringLiteral("Intervall oder Akkord"));
    timbre_ = new QComboBox(this);
    for (const Timbre& t : Timbres()) timbre_->addItem(Qs(t.name));
    timbre_->setCurrentIndex(static_cast<int>(TimbreIndex(kWindowTimbre).value_or(kDefaultTimbre)));
    timbre_->setAccessibleName(QStringLiteral("Klang"));
    seconds_ = new QSpinBox(this);
    seconds_->setRange(1, kMostSeconds);
    seconds_->setValue(kDefaultSeconds);
    seconds_->setSuffix(QStringLiteral(" s"));
    seconds_->setAccessibleName(QStringLiteral("Dauer in Sekunden"));

    auto* top = new QGridLayout;
    const std::pair<QString, QWidget*> topRow[] = {{QStringLiteral("&Intervall oder Akkord:"), chord_},
                                                   {QStringLiteral("K&lang:"), timbre_},
                                                   {QStringLiteral("&Dauer:"), seconds_}};
    int column = 0;
    for (const auto& [text, widget] : topRow) {
        auto* label = new QLabel(text, this);
        label->setBuddy(widget);
        top->addWidget(label, 0, column++);
        top->addWidget(widget, 0, column++);
    }
    top->setColumnStretch(column, 1);

    auto* sidesRow = new QHBoxLayout;
    for (int s = 0; s < 2; ++s) {
        Side& side = sides_[s];
        const QString name = Qs(kSideNames[s]);
        auto* box = new QGroupBox(name, this);
        side.tuning = new QComboBox(box);
        side.tuning->setAccessibleName(QStringLiteral("Stimmung %1").arg(name));
        auto* tuningLabel = new QLabel(s == 0 ? QStringLiteral("Stimmung &A:") : QStringLiteral("Stimmung &B:"), box);
        tuningLabel->setBuddy(side.tuning);
        auto* handRow = new QHBoxLayout;
        for (int n = 0; n < 3; ++n) {
            side.hand[n] = new QComboBox(box);
            side.hand[n]->setAccessibleName(QStringLiteral("%1: Ton %2 von Hand").arg(name).arg(n + 1));
            handRow->addWidget(side.hand[n]);
            connect(side.hand[n], &QComboBox::currentIndexChanged, this, &IntervalWindow::refresh);
        }
        handRow->addStretch();
        side.figures = new QLabel(box);
        side.figures->setTextFormat(Qt::RichText);
        side.figures->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        side.figures->setAccessibleName(QStringLiteral("Zahlen %1").arg(name));
        side.figures->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        auto* grid = new QGridLayout(box);
        grid->addWidget(tuningLabel, 0, 0);
        grid->addWidget(side.tuning, 0, 1);
        grid->addWidget(new QLabel(QStringLiteral("Töne von Hand:"), box), 1, 0);
        grid->addLayout(handRow, 1, 1);
        grid->addWidget(side.figures, 2, 0, 1, 2);
        grid->setRowStretch(2, 1);
        grid->setColumnStretch(1, 1);
        sidesRow->addWidget(box, 1);
    }
    fillTunings();
    for (int s = 0; s < 2; ++s) {
        sides_[s].tuning->setCurrentIndex(static_cast<int>(kDefaultTunings[s]));
        fillHandNotes(s, false);
        connect(sides_[s].tuning, &QComboBox::currentIndexChanged, this, [this, s] {
            fillHandNotes(s, false);
            refresh();
        });
    }

    problem_ = new QLabel(this);
    problem_->setAccessibleName(QStringLiteral("Hinweis"));
    QPalette red = problem_->palette();
    red.setColor(QPalette::WindowText, kProblemColour);
    problem_->setPalette(red);
    problem_->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    const std::tuple<QString, QString, std::function<void()>> actions[] = {
        {QStringLiteral("A s&pielen"), QStringLiteral("A spielen"), [this] { play({0}); }},
        {QStringLiteral("B sp&ielen"), QStringLiteral("B spielen"), [this] { play({1}); }},
        {QStringLiteral("A und B im &Wechsel"), QStringLiteral("A und B im Wechsel"),
         [this] {
             play({0, 1, 0, 1});
         }},
    };
    for (const auto& [text, accessible, slot] : actions) {
        auto* button = new QPushButton(text, this);
        button->setAccessibleName(accessible);
        connect(button, &QPushButton::clicked, this, slot);
        buttons->addWidget(button);
        playButtons_.push_back(button);
    }
    buttons->addStretch();
    auto* wav = new QPushButton(QStringLiteral("Als &WAV speichern …"), this);
    wav->setAccessibleName(QStringLiteral("A und B als WAV-Datei speichern"));
    connect(wav, &QPushButton::clicked, this, &IntervalWindow::saveWavClicked);
    buttons->addWidget(wav);

    envelopes_ = new EnvelopeView(this);
    auto* pictureButtons = new QHBoxLayout;
    auto* savePicture = new QPushButton(QStringLiteral("Bild s&peichern …"), this);
    auto* copyPicture = new QPushButton(QStringLiteral("Bild &kopieren"), this);
    savePicture->setAccessibleName(QStringLiteral("Bild speichern"));
    copyPicture->setAccessibleName(QStringLiteral("Bild kopieren"));
    connect(savePicture, &QPushButton::clicked, this, &IntervalWindow::savePictureClicked);
    connect(copyPicture, &QPushButton::clicked, this, &IntervalWindow::copyPictureClicked);
    pictureButtons->addWidget(
        new QLabel(QStringLiteral("Lautstärke über die ersten zwei Sekunden, um ihren Mittelwert:"), this));
    pictureButtons->addStretch();
    pictureButtons->addWidget(savePicture);
    pictureButtons->addWidget(copyPicture);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(sidesRow, 1);
    layout->addWidget(problem_);
    layout->addLayout(buttons);
    layout->addLayout(pictureButtons);
    // The picture scrolls where the window at a large zoom does not fit the screen.
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(envelopes_);
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setAccessibleName(QStringLiteral("Lautstärkeverlauf"));
    layout->addWidget(scroll_, 1);

    connect(chord_, &QComboBox::currentIndexChanged, this, &IntervalWindow::refresh);
    connect(timbre_, &QComboBox::currentIndexChanged, this, &IntervalWindow::refresh);
    connect(seconds_, &QSpinBox::valueChanged, this, &IntervalWindow::refresh);
    connect(player_, &ChordPlayer::finished, this, [this] { playingChanged(false); });
    connect(&OfferedTunings::instance(), &OfferedTunings::changed, this, [this] {
        fillTunings();
        refresh();
    });
    Form1& f = frame_.main().form();
    for (TextBox* field : {f.Text1, f.txtWurzel})
        connect(field->edit(), &QLineEdit::textChanged, this, &IntervalWindow::refresh);
    connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this, &IntervalWindow::savePictureClicked);
    connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this, &IntervalWindow::copyPictureClicked);
    connect(new QShortcut(QKeySequence::Close, this), &QShortcut::activated, this, [this] { close(); });
    connect(&frame, &MenuFrame::zoomChanged, this, &IntervalWindow::setZoomPercent);
    setZoomPercent(frame.zoomPercent());
    refresh();
    playingChanged(player_->isPlaying());
}

IntervalWindow& IntervalWindow::Open(MenuFrame& frame) {
    auto* window = frame.findChild<IntervalWindow*>();
    if (!window) window = new IntervalWindow(frame);
    window->refresh();
    window->show();
    window->raise();
    window->activateWindow();
    return *window;
}

void IntervalWindow::setZoomPercent(int percent) {
    zoom_ = percent;
    QFont font = this->font();
    font.setPixelSize(static_cast<int>(std::lround(13 * percent / 100.0)));
    setFont(font);
    envelopes_->setZoomPercent(percent);
    // As large as the whole picture needs, as far as the screen allows.
    const int frame = 2 * scroll_->frameWidth();
    scroll_->setMinimumSize(envelopes_->size() + QSize(frame, frame));
    adjustSize();
    scroll_->setMinimumSize(0, 0);
    if (screen()) resize(size().boundedTo(screen()->availableSize()));
}

void IntervalWindow::fillTunings() {
    const std::vector<NamedTuning> offered = OfferedTunings::instance().all();
    for (Side& side : sides_) {
        const QString shown = side.tuning->currentText();
        const QSignalBlocker quiet(side.tuning);
        side.tuning->clear();
        for (std::string_view name : kOwnTunings) side.tuning->addItem(Qs(name));
        for (const NamedTuning& t : offered) side.tuning->addItem(QString::fromStdString(t.name));
        side.tuning->setCurrentIndex(std::max(0, side.tuning->findText(shown)));
    }
    for (int s = 0; s < 2; ++s) fillHandNotes(s, true);
}

void IntervalWindow::fillHandNotes(int side, bool keep) {
    std::string problem;
    const NamedTuning tuning = WithOctave(tuningOf(side, problem));
    for (int n = 0; n < 3; ++n) {
        QComboBox& list = *sides_[side].hand[n];
        const int kept = keep ? list.currentIndex() : -1;
        const QSignalBlocker quiet(&list);
        list.clear();
        if (n == 2) list.addItem(kNoNote);
        for (const std::string& name : tuning.noteNames) list.addItem(QString::fromStdString(name));
        // At first c and the tuning's third.
        const auto third = std::find(tuning.ratios.begin(), tuning.ratios.end(), DegreeRatio(tuning, 2));
        const int fresh = n == 1 ? static_cast<int>(third - tuning.ratios.begin()) % list.count() : 0;
        list.setCurrentIndex(kept >= 0 && kept < list.count() ? kept : fresh);
    }
}

NamedTuning IntervalWindow::tuningOf(int side, std::string& problem) const {
    const Form1& f = frame_.main().form();
    const int row = sides_[side].tuning->currentIndex();
    switch (static_cast<ListeningTuning>(row)) {
    case ListeningTuning::Pythagorean: return PythagoreanTuning();
    case ListeningTuning::Just: return JustTuning();
    case ListeningTuning::TemperedTable: return TemperedTableTuning();
    case ListeningTuning::EqualSteps:
        if (const std::optional<int> N = audio::EqualStepCount(f.txtWurzel->Text())) return EqualStepsTuning(*N);
        problem = "N (die Anzahl der Stufen) ist keine ganze Zahl von 2 bis 100.";
        return JustTuning();
    case ListeningTuning::HandPlaced: {
        std::array<float, 6> markers{};
        for (std::size_t i = 0; i < markers.size(); ++i) markers[i] = f.Line2[i]->X1();
        return HandPlacedTuning(markers);
    }
    }
    const std::vector<NamedTuning> offered = OfferedTunings::instance().all();
    const auto index = static_cast<std::size_t>(row - std::size(kOwnTunings));
    return index < offered.size() ? offered[index] : JustTuning();
}

std::vector<double> IntervalWindow::ratiosOf(int side, const NamedTuning& tuning) const {
    const auto choices = ChordChoices();
    const auto choice = static_cast<std::size_t>(chord_->currentIndex());
    if (choice < choices.size()) return ChordRatios(tuning, choices[choice]);
    const NamedTuning notes = WithOctave(tuning);
    std::vector<double> ratios;
    for (int n = 0; n < 3; ++n) {
        const int index = sides_[side].hand[n]->currentIndex() - (n == 2 ? 1 : 0);
        if (index >= 0 && index < static_cast<int>(notes.ratios.size())) ratios.push_back(notes.ratios[index]);
    }
    return ratios;
}

SoundedNotes IntervalWindow::notes(int side) const {
    std::string problem;
    const NamedTuning tuning = tuningOf(side, problem);
    if (!problem.empty()) return {{}, problem};
    const std::vector<double> ratios = ratiosOf(side, tuning);
    return NotesOver(ratios, BaseFrequency(frame_.main().form()));
}

ChordRequest IntervalWindow::chord(int side) const {
    ChordRequest chord;
    const SoundedNotes sounded = notes(side);
    chord.notes = static_cast<int>(std::min<std::size_t>(sounded.frequenciesHz.size(), kMostChordNotes));
    std::copy_n(sounded.frequenciesHz.begin(), chord.notes, chord.frequenciesHz.begin());
    chord.timbre = TimbreAt(static_cast<std::size_t>(timbre_->currentIndex())).amplitudes;
    return chord;
}

void IntervalWindow::refresh() {
    const PartialAmplitudes& timbre = TimbreAt(static_cast<std::size_t>(timbre_->currentIndex())).amplitudes;
    const auto choices = ChordChoices();
    const auto choice = static_cast<std::size_t>(chord_->currentIndex());
    const bool byHand = choice >= choices.size();
    QStringList problems;
    EnvelopePicture picture;
    for (int s = 0; s < 2; ++s) {
        Side& side = sides_[s];
        for (QComboBox* list : side.hand) list->setEnabled(byHand);
        std::string problem;
        const NamedTuning tuning = tuningOf(s, problem);
        const SoundedNotes sounded = notes(s);
        const QString name = Qs(kSideNames[s]);
        if (!sounded.problem.empty()) {
            problems << name + QStringLiteral(": ") + QString::fromStdString(sounded.problem);
            side.figures->setText(QString());
            picture.traces[s].label = name + QStringLiteral(": —");
            continue;
        }
        // The names of the notes that sound.
        const std::vector<double> ratios = ratiosOf(s, tuning);
        QStringList names;
        for (int n = 0; n < static_cast<int>(ratios.size()); ++n) {
            if (!byHand)
                names << Qs(kDegreeNames[choices[choice].degrees[n]]);
            else
                names << side.hand[n]->currentText();
        }
        QString html = QStringLiteral("<b>%1</b><table cellspacing=0 cellpadding=3>"
                                      "<tr><th align=left>Ton</th><th align=right>Verhältnis</th>"
                                      "<th align=right>Frequenz</th></tr>")
                           .arg(QString::fromStdString(tuning.name).toHtmlEscaped());
        for (std::size_t n = 0; n < ratios.size(); ++n)
            html += QStringLiteral("<tr><td>%1</td><td align=right>%2</td><td align=right>%3 Hz</td></tr>")
                        .arg(names.value(static_cast<qsizetype>(n)).toHtmlEscaped(), QString::number(ratios[n], 'f', 6),
                             Qs(HertzText(sounded.frequenciesHz[n])));
        html += QStringLiteral("</table><table cellspacing=0 cellpadding=3><tr><th align=left>Intervall</th>"
                               "<th align=right>Cent</th><th align=right>rein</th><th align=right>Abweichung</th>"
                               "<th align=right>Schwebung</th></tr>");
        QStringList beats;
        for (const NotePair& pair : PairsOf(sounded.frequenciesHz, timbre)) {
            const QString pairName = names.value(pair.low) + QStringLiteral("–") + names.value(pair.high);
            html += QStringLiteral("<tr><td>%1</td><td align=right>%2</td><td align=right>%3</td>"
                                   "<td align=right>%4</td><td align=right>%5</td></tr>")
                        .arg(pairName.toHtmlEscaped(), Qs(CentsText(pair.cents)), JustText(pair.just),
                             Qs(DeviationText(pair.just.deviationCents)), BeatCell(pair));
            beats << pairName + QStringLiteral(" ") + BeatCell(pair);
        }
        side.figures->setText(html + QStringLiteral("</table>"));
        picture.traces[s].label = QStringLiteral("%1: %2, Schwebung %3")
                                      .arg(name, QString::fromStdString(tuning.name), beats.join(QStringLiteral(", ")));
        const std::vector<float> samples =
            RenderChord(chord(s), static_cast<std::int32_t>(kShownSeconds * 1000) + kRenderMarginMs, kSampleRate);
        picture.traces[s].envelope = SmoothedEnvelope(AmplitudeEnvelope(samples, kSampleRate));
    }
    problem_->setText(problems.join(u'\n'));
    problem_->setVisible(!problems.isEmpty());
    envelopes_->setPicture(std::move(picture));
}

void IntervalWindow::play(std::initializer_list<int> sides) {
    refresh();
    if (player_->isPlaying() || !problem_->text().isEmpty()) return;
    std::vector<ChordRequest> chords;
    for (int side : sides) chords.push_back(chord(side));
    playingChanged(true);
    player_->play(std::move(chords), seconds_->value() * 1000);
}

void IntervalWindow::playingChanged(bool playing) {
    for (QPushButton* button : playButtons_) button->setEnabled(!playing);
}

bool IntervalWindow::saveWav(const QString& path) const {
    const ChordRequest chords[] = {chord(0), chord(1)};
    return WriteWav(QFile::encodeName(path).toStdString(), RenderChords(chords, seconds_->value() * 1000, kPauseMs));
}

void IntervalWindow::saveWavClicked() {
    refresh();
    const QString title = QStringLiteral("Als WAV speichern");
    if (!problem_->text().isEmpty()) {
        QMessageBox::information(this, title, problem_->text());
        return;
    }
    QString path = QFileDialog::getSaveFileName(this, title, SuggestedPath(QStringLiteral("intervall-a-b.wav")),
                                                QStringLiteral("WAV-Datei (*.wav)"));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".wav");
    if (!saveWav(path)) WriteFailed(this, title, path);
}

void IntervalWindow::savePictureClicked() {
    SavePictureAs(this, QStringLiteral("Bild speichern"), QStringLiteral("schwebungen.png"),
                  [this](const QString& path) { return envelopes_->save(path); });
}

void IntervalWindow::copyPictureClicked() { QGuiApplication::clipboard()->setImage(envelopes_->image()); }

void mnuIntervalle_Click(MenuFrame& frame) { IntervalWindow::Open(frame); }

} // namespace stimmung::app
