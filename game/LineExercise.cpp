#include "game/LineExercise.h"

#include "core/Errors.h"
#include "game/ChordExercise.h"
#include "game/MusicKeys.h"
#include "game/StackLine.h"
#include "game/StaffLayout.h"
#include "game/StaffView.h"

#include <algorithm>
#include <string>
#include <utility>

using std::chrono::duration_cast;
using std::chrono::milliseconds;
using std::chrono::nanoseconds;

namespace {

constexpr int kBeatsPerBar = 4;
// Notes at or above middle C go on the treble staff of a grand staff.
constexpr int kMiddleC = 60;

void checkBetween(const char* what, int value, int lowest, int highest)
{
    if (value < lowest || value > highest)
        throw lirasto::ERangeError("Range check error: " + std::string(what) + " " + std::to_string(value) +
                                   " outside " + std::to_string(lowest) + ".." + std::to_string(highest));
}

struct TRange
{
    int Clef, Lowest, Highest;
};

std::vector<TRange> rangesOf(const TLineSettings& s)
{
    switch (s.Staff) {
    case TStaffChoice::Treble:
        return {{1, s.TrebleLowest, s.TrebleHighest}};
    case TStaffChoice::Bass:
        return {{2, s.BassLowest, s.BassHighest}};
    case TStaffChoice::Grand:
        break;
    case TStaffChoice::Alto:
    case TStaffChoice::Tenor:
    case TStaffChoice::TrebleOctave:
        return {{ClefOfStaff(s.Staff), s.LowestOnClef(), s.HighestOnClef()}};
    }
    return {{1, std::max(s.TrebleLowest, kMiddleC), s.TrebleHighest},
            {2, s.BassLowest, std::min(s.BassHighest, kMiddleC - 1)}};
}

int clefOf(const std::vector<TRange>& ranges, int note)
{
    for (const TRange& r : ranges)
        if (note >= r.Lowest && note <= r.Highest)
            return r.Clef;
    return ranges.front().Clef;
}

// The default range of the upper staff's other clefs: the staff and two ledger lines each way.
constexpr int kDefaultLedgerSteps = 4;
constexpr int kStaffSteps = 8;

} // namespace

int ClefOfStaff(TStaffChoice staff)
{
    switch (staff) {
    case TStaffChoice::Bass:
        return kBassClef;
    case TStaffChoice::Alto:
        return kAltoClef;
    case TStaffChoice::Tenor:
        return kTenorClef;
    case TStaffChoice::TrebleOctave:
        return kTrebleOctaveClef;
    default:
        return kTrebleClef;
    }
}

int TLineSettings::LowestOnClef() const
{
    const int clef = ClefOfStaff(Staff);
    return ClefLowest != 0
               ? ClefLowest
               : lirasto::staff::NaturalOfDegree(lirasto::staff::BottomLineDegree(clef) - kDefaultLedgerSteps);
}

int TLineSettings::HighestOnClef() const
{
    const int clef = ClefOfStaff(Staff);
    return ClefHighest != 0 ? ClefHighest
                            : lirasto::staff::NaturalOfDegree(lirasto::staff::BottomLineDegree(clef) + kStaffSteps +
                                                              kDefaultLedgerSteps);
}

int TLineSettings::LowestNote() const
{
    const std::vector<TRange> ranges = rangesOf(*this);
    return std::min_element(ranges.begin(), ranges.end(),
                            [](const TRange& a, const TRange& b) { return a.Lowest < b.Lowest; })
        ->Lowest;
}

int TLineSettings::HighestNote() const
{
    const std::vector<TRange> ranges = rangesOf(*this);
    return std::max_element(ranges.begin(), ranges.end(),
                            [](const TRange& a, const TRange& b) { return a.Highest < b.Highest; })
        ->Highest;
}

void TLineSettings::Check() const
{
    if (Key != -1)
        checkBetween("key", Key, 0, KeyCount - 1);
    if (MusicKey != -1)
        checkBetween("key", MusicKey, 0, kMusicKeyCount - 1);
    checkBetween("notes in a line", Notes, kFewestNotes, kMostNotes);
    checkBetween("largest step", MaxStep, 1, 12);
    if (Tempo != 0)
        checkBetween("tempo", Tempo, kSlowestTempo, kFastestTempo);
    using lirasto::staff::HighestNote;
    using lirasto::staff::LowestNote;
    checkBetween("lowest treble note", TrebleLowest, LowestNote(kTrebleClef), TrebleHighest);
    checkBetween("highest treble note", TrebleHighest, TrebleLowest, HighestNote(kTrebleClef));
    checkBetween("lowest bass note", BassLowest, LowestNote(kBassClef), BassHighest);
    checkBetween("highest bass note", BassHighest, BassLowest, HighestNote(kBassClef));
    if (Chords) {
        checkBetween("stacks in a line", Notes, kFewestNotes, kMostStacks);
        if (ClefOfStaff(Staff) >= kAltoClef)
            throw lirasto::ERangeError("Range check error: a line of stacks goes on the treble, bass or grand staff");
    }
    const int clef = ClefOfStaff(Staff);
    if (clef >= kAltoClef) {
        checkBetween("lowest note", LowestOnClef(), LowestNote(clef), HighestOnClef());
        checkBetween("highest note", HighestOnClef(), LowestOnClef(), HighestNote(clef));
    }
}

bool InKey(int note, int key)
{
    return SpellInMusicKey(note, MusicKeyOfLevelKey(key)).Sign == TAccidental::None;
}

std::vector<TWrittenNote> GenerateLine(const TLineSettings& settings, int key, const std::function<int(int)>& random)
{
    if (key < 0 || key >= KeyCount)
        throw lirasto::ERangeError("Range check error: key " + std::to_string(key) + " outside 0..11");
    return GenerateMusicKeyLine(settings, MusicKeyOfLevelKey(key), random);
}

std::vector<TWrittenNote> NotesOfRange(const TLineSettings& settings, int musicKey)
{
    const std::vector<TRange> ranges = rangesOf(settings);
    std::vector<TWrittenNote> notes;
    for (int note = kLowestMidiNote; note <= kHighestMidiNote; ++note) {
        const bool inRange = std::any_of(ranges.begin(), ranges.end(),
                                         [note](const TRange& r) { return note >= r.Lowest && note <= r.Highest; });
        if (inRange && (settings.Accidentals || InMusicScale(note, musicKey)))
            notes.push_back({clefOf(ranges, note), note, 0});
    }
    return notes;
}

std::vector<TWrittenNote> GenerateMusicKeyLine(const TLineSettings& settings, int musicKey,
                                               const std::function<int(int)>& random)
{
    settings.Check();
    const std::vector<TRange> ranges = rangesOf(settings);
    std::vector<int> allowed;
    for (const TWrittenNote& written : NotesOfRange(settings, musicKey))
        allowed.push_back(written.Note);
    std::vector<TWrittenNote> line;
    int previous = 0;
    for (int place = 0; place < settings.Notes; ++place) {
        std::vector<int> choices;
        if (settings.Melody && place > 0) {
            for (int note : allowed)
                if (note != previous && std::abs(note - previous) <= settings.MaxStep)
                    choices.push_back(note);
            if (choices.empty())
                choices.push_back(previous); // no other note of the key that near: the note again
        } else {
            choices = allowed;
        }
        previous = choices[static_cast<std::size_t>(random(static_cast<int>(choices.size())))];
        line.push_back({clefOf(ranges, previous), previous, place});
    }
    return line;
}

TLineExercise::TLineExercise(TLineSettings settings) : settings_(settings)
{
    settings_.Check();
}

int TLineExercise::KeysPerAnswer(int) const
{
    // Every stack of a family has as many notes.
    return settings_.Chords ? ChordTypes(*settings_.Chords).front().Size : 1;
}

int TLineExercise::firstNoteAt(int place) const
{
    const auto found = std::find_if(line_.Notes.begin(), line_.Notes.end(),
                                    [place](const TWrittenNote& n) { return n.Place == place; });
    return static_cast<int>(found - line_.Notes.begin());
}

nanoseconds TLineExercise::BeatLength() const
{
    return InTime() ? nanoseconds(60'000'000'000LL / settings_.Tempo) : nanoseconds(0);
}

TGameTime TLineExercise::BeatTime(int beat) const
{
    return firstBeat_ + BeatLength() * beat;
}

void TLineExercise::Begin(TExerciseHost&)
{
    posed_ = false;
    doneAt_.reset();
}

void TLineExercise::Tick(TExerciseHost& host)
{
    // At one's pace the page turns on the clock's first second after the last note's mark has shown
    // for half a second, so that it is seen however the second falls.
    constexpr milliseconds kLastMarkShown{500};
    if (!posed_ || (doneAt_ && host.Now() - *doneAt_ >= kLastMarkShown)) {
        doneAt_.reset();
        poseLine(host);
    }
}

void TLineExercise::poseLine(TExerciseHost& host)
{
    const int levelKey = settings_.Key >= 0 ? settings_.Key : LevelKeys[host.Level()];
    const int musicKey = settings_.RandomKey       ? Random(kMusicKeyCount)
                         : settings_.MusicKey >= 0 ? settings_.MusicKey
                                                   : MusicKeyOfLevelKey(levelKey);
    const int key = LevelKeyOfMusicKey(musicKey);
    if (!posed_) {
        // The first line comes after a bar of count-in.
        firstBeat_ = host.Now();
        lineBeat_ = kBeatsPerBar;
    } else {
        // Each next line after the bar that follows the last one's end.
        const int end = lineBeat_ + settings_.Notes;
        lineBeat_ = (end + kBeatsPerBar - 1) / kBeatsPerBar * kBeatsPerBar + kBeatsPerBar;
    }
    posed_ = true;
    stacks_.clear();
    if (settings_.Chords) {
        // Stacks are spelt by their chords, in the signature of the key.
        TStackLine stacks = GenerateStackLine(settings_, key);
        stacks_ = std::move(stacks.Chords);
        line_ = {host.Level(), key, 0, 0, std::move(stacks.Notes), TExerciseKind::Line};
    } else {
        line_ = {host.Level(),        key,     0, 0, GenerateMusicKeyLine(settings_, musicKey, Random),
                 TExerciseKind::Line, musicKey};
    }
    line_.Clef = line_.Notes.front().Clef;
    line_.Note = line_.Notes.front().Note;
    due_ = 0;
    host.Pose(line_);
}

TJudgement TLineExercise::judgementOf(int place) const
{
    TJudgement judgement;
    judgement.Question = line_;
    const TWrittenNote& first = line_.Notes[std::size_t(firstNoteAt(place))];
    judgement.Question.Clef = first.Clef;
    judgement.Question.Note = first.Note;
    judgement.Expected =
        stacks_.empty() ? PitchClassBit(PitchClass(first.Note)) : stacks_[std::size_t(place)].PitchClasses();
    judgement.Exercise = TExerciseKind::Line;
    judgement.Place = place;
    // A stack's judgement names its chord, so the history can weigh the chord types read in lines too.
    if (!stacks_.empty())
        judgement.Question.Chord = LabelOf(stacks_[std::size_t(place)]);
    return judgement;
}

void TLineExercise::Advance(TExerciseHost& host, TGameTime now)
{
    if (!InTime() || !posed_)
        return;
    // Every note whose window closed without its key is missed, in order.
    while (!lineDone() && now > BeatTime(lineBeat_ + due_) + Tolerance()) {
        if (due_ + 1 == places())
            host.CloseQuestion();
        host.Miss(judgementOf(due_)); // Judged moves on to the next note, or the next line
    }
}

void TLineExercise::Resumed(std::chrono::steady_clock::duration pausedFor)
{
    firstBeat_ += pausedFor;
}

std::optional<TJudgement> TLineExercise::Judge(TExerciseHost& host, const TAnswerGiven& answer)
{
    if (lineDone())
        return std::nullopt;
    TJudgement judgement = judgementOf(due_);
    if (InTime()) {
        // A stack is timed by its first key, and all its keys go down within the window.
        const TGameTime beat = BeatTime(lineBeat_ + due_);
        const nanoseconds error = (stacks_.empty() ? answer.At : answer.First) - beat;
        if (error < -Tolerance() || error > Tolerance() || answer.At - beat > Tolerance())
            return std::nullopt; // between two notes' windows: the key plays, nothing is judged
        judgement.TimingError = duration_cast<milliseconds>(error);
    }
    const int note = judgement.Question.Note;
    if (!stacks_.empty())
        judgement.Right = StackAnswered(stacks_[std::size_t(due_)], answer);
    else if (answer.OctaveExact)
        judgement.Right = std::all_of(answer.Notes.begin(), answer.Notes.end(), [note](int n) { return n == note; });
    else
        judgement.Right = answer.PitchClasses == judgement.Expected;
    const bool last = due_ + 1 == places();
    // At one's pace a wrong key leaves the note waiting; in time every note is judged once.
    if (last && (judgement.Right || InTime()))
        host.CloseQuestion();
    return judgement;
}

void TLineExercise::Judged(TExerciseHost& host, const TJudgement& judgement)
{
    if (judgement.Place != due_ || (!judgement.Right && !InTime()))
        return;
    ++due_;
    if (!lineDone())
        host.MakeDue(firstNoteAt(due_));
    else if (InTime())
        poseLine(host); // the page turns at once: the next line is read during its bar of rest
    else
        doneAt_ = host.Now(); // the last note's mark is seen before the page turns, as a level's verdict is
}
