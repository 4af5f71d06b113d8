// SPDX-License-Identifier: GPL-3.0-or-later
// "Intervalle und Schwebungen": a window beside the main one that sounds an
// interval or chord in two tunings, A and B, alone or in turn, shows each
// note's ratio and frequency and each pair's size, deviation from the nearest
// just interval and beat, draws the loudness of both and saves them as WAV.
// Frequencies over the main window's base frequency; it follows the zoom.
#pragma once

#include "listening_notes.h"
#include "sound_output.h"

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QSpinBox;

namespace stimmung::app {

class MenuFrame;
class ChordPlayer;
class EnvelopeView;

// The tunings every window offers before the offered ones.
enum class ListeningTuning { Pythagorean, Just, TemperedTable, EqualSteps, HandPlaced };

class IntervalWindow : public QWidget {
    Q_OBJECT
public:
    explicit IntervalWindow(MenuFrame& frame);

    // Opens the one window, or raises it when it is open.
    static IntervalWindow& Open(MenuFrame& frame);
    void setZoomPercent(int percent);

    // The notes of side 0 (A) or 1 (B) as they would sound now; `problem`
    // says why they cannot.
    SoundedNotes notes(int side) const;
    ChordRequest chord(int side) const;
    // Side `side` of A/B shows tuning row `row` of its list.
    QComboBox& tuningList(int side) const { return *sides_[side].tuning; }
    QComboBox& chordList() const { return *chord_; }
    QComboBox& timbreList() const { return *timbre_; }
    QLabel& problemLine() const { return *problem_; }
    QLabel& figures(int side) const { return *sides_[side].figures; }
    EnvelopeView& envelopes() const { return *envelopes_; }
    // A then B, a second's pause between, to a WAV file.
    bool saveWav(const QString& path) const;

private:
    struct Side {
        QComboBox* tuning = nullptr;
        std::array<QComboBox*, 3> hand{};
        QLabel* figures = nullptr;
    };
    NamedTuning tuningOf(int side, std::string& problem) const;
    std::vector<double> ratiosOf(int side, const NamedTuning& tuning) const;
    void fillTunings();
    void fillHandNotes(int side, bool keep); // keep: the notes chosen stay
    void refresh();
    void play(std::initializer_list<int> sides);
    void saveWavClicked();
    void savePictureClicked();
    void copyPictureClicked();
    void playingChanged(bool playing);

    MenuFrame& frame_;
    std::array<Side, 2> sides_;
    QComboBox* chord_;
    QComboBox* timbre_;
    QSpinBox* seconds_;
    QLabel* problem_;
    EnvelopeView* envelopes_;
    QScrollArea* scroll_;
    ChordPlayer* player_;
    std::vector<QPushButton*> playButtons_;
    int zoom_ = 100;
};

void mnuIntervalle_Click(MenuFrame& frame);

} // namespace stimmung::app
