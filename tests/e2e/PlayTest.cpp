// Plays the real program on a private X server, seeing only the screen and
// answering with real mouse clicks, as a player would.
#include "tests/e2e/ScreenReader.h"
#include "tests/e2e/XSession.h"
#include "tests/support/JackServer.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>

#include <jack/jack.h>
#include <jack/midiport.h>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <sstream>
#include <sys/wait.h>

using namespace lirasto::e2e;
using namespace std::chrono_literals;

namespace {

const std::string kTitle = "DEMO Lirasto - Notes";

// Controls of the game page, relative to its panel.
const QRect kStartButton(72, 451, 75, 25);
const QPoint kPiano(20, 333);
const QPoint kStaff(14, 30);
const QRect kScoreLabel(618, 171, 150, 40);
const QRect kAnswerLabel(618, 235, 170, 40);
const QRect kLogo(8, 102, 225, 299);

// Where a player clicks for a pitch class: in the second octave, a white key low
// on its face, a black key halfway down.
QPoint pianoKeyFor(int pitchClass)
{
    static constexpr int kWhiteKeyIndex[12] = {0, -1, 1, -1, 2, 3, -1, 4, -1, 5, -1, 6};
    static constexpr int kBlackKeyCentre[12] = {-1, 17, -1, 42, -1, -1, 77, -1, 100, -1, 122, -1};
    constexpr int kOctave = 140;
    if (kWhiteKeyIndex[pitchClass] >= 0)
        return kPiano + QPoint(kOctave + 20 * kWhiteKeyIndex[pitchClass] + 10, 55);
    return kPiano + QPoint(kOctave + kBlackKeyCentre[pitchClass], 20);
}

bool highlighted(QRgb p)
{
    return qBlue(p) > 140 && qBlue(p) - qRed(p) > 80 && qBlue(p) - qGreen(p) > 40;
}

void saveShot(const QImage& shot, const std::string& name)
{
    const char* dir = std::getenv("LIRASTO_E2E_SHOTS");
    if (!dir || !*dir)
        return;
    QDir().mkpath(QString::fromLocal8Bit(dir));
    shot.save(QString::fromLocal8Bit(dir) + "/" + QString::fromStdString(name) + ".png");
}

std::string readFile(const std::filesystem::path& file)
{
    std::ifstream in(file);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class EndToEndPlay : public ::testing::Test
{
protected:
    void SetUp() override
    {
        references_ = ReferencePictures::Load(LIRASTO_ARTWORK_DIR);
        // A dense laptop screen where the program is scaled.
        display_ = std::make_unique<VirtualDisplay>(scale_ > 1 ? QSize(2560, 1600) : QSize(1280, 1024));
        // Without a JACK server of ours (and with no ALSA sequencer here) the program finds no MIDI and plays on.
        const char* jack = std::getenv("JACK_DEFAULT_SERVER");
        std::vector<std::string> argv{LIRASTO_PROGRAM};
        argv.insert(argv.end(), args_.begin(), args_.end());
        program_ = ChildProcess(argv,
                                {"DISPLAY=" + display_->Name(), "QT_QPA_PLATFORM=xcb",
                                 std::string("JACK_DEFAULT_SERVER=") + (jack ? jack : "lirasto-e2e-no-server"),
                                 "XDG_DATA_HOME=" + (workDir_.Path() / "data").string(),
                                 "QT_SCALE_FACTOR=" + std::to_string(scale_)},
                                workDir_.Path());
        ASSERT_TRUE(
            PollUntil([&] { return (window_ = FindWindowByTitle(display_->Connection(), kTitle)).has_value(); }, 20s))
            << "the window \"" << kTitle << "\" did not appear";
        // The first frames may come before the page has its final place: wait until the staff stays put.
        int sameInARow = 0;
        ASSERT_TRUE(PollUntil(
            [&] {
                const std::optional<QPoint> origin = FindStaffOrigin(Grab());
                sameInARow = origin && origin == staffOrigin_ ? sameInARow + 1 : 0;
                staffOrigin_ = origin;
                return sameInARow >= 3;
            },
            20s, 100ms))
            << "the staff never showed";
        panel_ = *staffOrigin_ - kStaff;
    }

    void TearDown() override
    {
        if (HasFailure() && !shot_.isNull())
            saveShot(shot_, "failure");
    }

    // The screen as the player reads it, in the window's logical pixels.
    QImage Grab()
    {
        return shot_ = scale_ > 1 ? ToLogicalPixels(deviceShot_ = window_->Grab(), scale_) : window_->Grab();
    }
    QPoint Device(QPoint logical) const { return QPoint(int(logical.x() * scale_), int(logical.y() * scale_)); }
    void Click(QPoint at) { window_->Click(Device(at)); }
    void Press(QPoint at) { window_->Press(Device(at)); }

    // The note on display once two screenshots in a row read the same.
    std::optional<StaffReading> WaitForQuestion(std::chrono::milliseconds timeout)
    {
        std::optional<StaffReading> previous, current;
        PollUntil(
            [&] {
                previous = current;
                Grab();
                current = ReadAnswerMark(shot_, *staffOrigin_) == Verdict::None
                              ? ReadStaff(shot_, *staffOrigin_, references_)
                              : std::nullopt;
                return current && previous && *current == *previous;
            },
            timeout, 50ms);
        return current && previous && *current == *previous ? current : std::nullopt;
    }

    bool WaitForVerdict(Verdict verdict, std::chrono::milliseconds timeout)
    {
        return PollUntil(
            [&] {
                Grab();
                return ReadVerdict(shot_, kAnswerLabel.translated(panel_)) == verdict &&
                       ReadAnswerMark(shot_, *staffOrigin_) == verdict;
            },
            timeout);
    }

    lirasto::test::TempDir workDir_;
    ReferencePictures references_;
    std::unique_ptr<VirtualDisplay> display_;
    ChildProcess program_;
    std::optional<Window> window_;
    QImage shot_;
    std::optional<QPoint> staffOrigin_;
    QPoint panel_;
    double scale_ = 1;
    QImage deviceShot_;
    std::vector<std::string> args_; // the program's command line after its name
};

// A fresh start plays level 1: a right answer scores, a wrong one says so, and the level is kept at close.
TEST_F(EndToEndPlay, AnswersRightThenWrongSwitchesPagesAndKeepsTheLevelAtClose)
{
    const QImage idle = Grab();
    saveShot(idle, "0-idle");
    EXPECT_FALSE(ReadStaff(idle, *staffOrigin_, references_)) << "a note before Start";
    EXPECT_EQ(ReadKeySignature(idle, *staffOrigin_, references_), 0) << "level 1 is C major";

    Click(kStartButton.translated(panel_).center());
    const std::optional<StaffReading> first = WaitForQuestion(5s);
    ASSERT_TRUE(first) << "no note came after Start";
    EXPECT_EQ(first->key, 0) << first->Describe();
    saveShot(shot_, "1-question");
    const QImage beforeAnswer = shot_;

    // Press: the key lights up; release: the answer is judged.
    const QPoint key = pianoKeyFor(first->pitchClass) + panel_;
    Press(key);
    EXPECT_TRUE(PollUntil([&] { return highlighted(Grab().pixel(key)); }, 3s)) << "no highlight under the pressed key";
    saveShot(shot_, "2-pressed");
    window_->Release();
    ASSERT_TRUE(WaitForVerdict(Verdict::Right, 3s)) << "no \"RIGHT!\" for " << first->Describe();
    saveShot(shot_, "3-right");
    EXPECT_FALSE(highlighted(shot_.pixel(key))) << "the highlight stayed after the release";
    EXPECT_GT(ChangedPixels(beforeAnswer, shot_, kScoreLabel.translated(panel_)), 20) << "the score did not change";
    const QImage afterRight = shot_;

    // The next tick brings the next note; a key of another pitch class is wrong.
    const std::optional<StaffReading> second = WaitForQuestion(4s);
    ASSERT_TRUE(second) << "no second note";
    saveShot(shot_, "4-question");
    Click(pianoKeyFor((second->pitchClass + 5) % 12) + panel_);
    ASSERT_TRUE(WaitForVerdict(Verdict::Wrong, 3s)) << "no \"WRONG!\" for a wrong key on " << second->Describe();
    saveShot(shot_, "5-wrong");
    EXPECT_EQ(ChangedPixels(afterRight, shot_, kScoreLabel.translated(panel_)), 0)
        << "a wrong answer changed the score";
    // The note stays for another try.
    EXPECT_EQ(ReadStaff(shot_, *staffOrigin_, references_).value_or(StaffReading{}).naturalNote, second->naturalNote);

    // The tabs sit in a row above the page: "Lirasto" first, "Information" after it.
    const QPoint gameTab = panel_ + QPoint(20, -12);
    bool infoShown = false;
    for (int x : {75, 95, 115}) {
        Click(panel_ + QPoint(x, -12));
        if (PollUntil([&] { return !FindStaffOrigin(Grab()); }, 1s)) {
            infoShown = true;
            break;
        }
    }
    ASSERT_TRUE(infoShown) << "the Information tab did not open";
    // The logo's black ground fills its left edge.
    EXPECT_TRUE(PollUntil(
        [&] {
            Grab();
            const QRgb p = shot_.pixel(kLogo.translated(panel_).topLeft() + QPoint(3, 150));
            return qRed(p) < 30 && qGreen(p) < 30 && qBlue(p) < 30;
        },
        2s));
    saveShot(shot_, "6-information");
    Click(gameTab);
    EXPECT_TRUE(PollUntil([&] { return FindStaffOrigin(Grab()) == staffOrigin_; }, 2s)) << "no way back to the game";
    saveShot(shot_, "7-back");

    window_->RequestClose();
    const std::optional<int> status = program_.WaitForExit(10s);
    ASSERT_TRUE(status) << "the program did not close";
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << "exit status " << *status;
    const std::string settings = readFile(workDir_.Path() / "vantrel.ini");
    EXPECT_NE(settings.find("Level=1"), std::string::npos) << settings;
}

// The same play from MIDI: the note read from the screen is answered through the
// program's JACK port, and a keyboard plugged in after start is connected and heard.
class EndToEndMidiPlay : public EndToEndPlay
{
protected:
    void SetUp() override
    {
        jack_ = std::make_unique<lirasto::test::JackServer>(48000, 2048);
        ASSERT_TRUE(jack_->Running()) << jack_->Error();
        EndToEndPlay::SetUp();
    }
    void TearDown() override
    {
        EndToEndPlay::TearDown();
        program_.Terminate();
        jack_.reset();
    }
    static int Send(const std::vector<std::string>& args)
    {
        std::vector<std::string> argv{LIRASTO_MIDI_SEND};
        argv.insert(argv.end(), args.begin(), args.end());
        ChildProcess sender(argv, {});
        const std::optional<int> status = sender.WaitForExit(10s);
        return status && WIFEXITED(*status) ? WEXITSTATUS(*status) : -1;
    }
    std::unique_ptr<lirasto::test::JackServer> jack_;
};

TEST_F(EndToEndMidiPlay, AnswersThroughTheMidiPortAndFromAKeyboardPluggedInLater)
{
    const std::string port = "Lirasto Notes:MIDI in";
    // MIDI opens after the first frame: the port is there soon after.
    ASSERT_TRUE(PollUntil([&] { return Send({"--connect", port, "sync"}) == 0; }, 10s, 200ms)) << "no port " << port;
    Click(kStartButton.translated(panel_).center());
    const std::optional<StaffReading> first = WaitForQuestion(5s);
    ASSERT_TRUE(first) << "no note came after Start";
    const QImage beforeAnswer = shot_;

    // The second drawn octave starts at C3 = 48, where pianoKeyFor points.
    const std::string note = std::to_string(48 + first->pitchClass);
    const QPoint key = pianoKeyFor(first->pitchClass) + panel_;
    ASSERT_EQ(Send({"--connect", port, "on " + note, "sync"}), 0);
    ASSERT_TRUE(WaitForVerdict(Verdict::Right, 3s)) << "no \"RIGHT!\" for " << first->Describe();
    EXPECT_TRUE(highlighted(shot_.pixel(key))) << "no highlight while the MIDI key is down";
    EXPECT_GT(ChangedPixels(beforeAnswer, shot_, kScoreLabel.translated(panel_)), 20) << "the score did not change";
    const QImage afterRight = shot_;
    ASSERT_EQ(Send({"--connect", port, "on " + note + " 0", "sync"}), 0);
    EXPECT_TRUE(PollUntil([&] { return !highlighted(Grab().pixel(key)); }, 3s)) << "velocity 0 did not let go";

    const std::optional<StaffReading> second = WaitForQuestion(4s);
    ASSERT_TRUE(second) << "no second note";
    const std::string wrong = std::to_string(48 + (second->pitchClass + 5) % 12);
    EXPECT_EQ(
        Send({"--name", "keyboard", "--physical", "--wait-connected", "3", "on " + wrong, "off " + wrong, "sync"}), 0)
        << "the keyboard plugged in was not connected";
    ASSERT_TRUE(WaitForVerdict(Verdict::Wrong, 3s)) << "no \"WRONG!\" from the keyboard on " << second->Describe();
    EXPECT_EQ(ChangedPixels(afterRight, shot_, kScoreLabel.translated(panel_)), 0) << "a wrong answer scored";
}

// The key a musician plays for a note read: the written letter moved by its sign.
int soundingNote(const StaffReading& reading)
{
    return reading.naturalNote + ((reading.pitchClass - reading.naturalNote % 12) + 18) % 12 - 6;
}

// A player on the JACK graph: it hears the program's output, marks where each metronome click
// begins (and how loud it is), and plays notes into the program's MIDI port at given frames.
class BeatPlayer
{
public:
    struct Click
    {
        jack_nframes_t frame;
        float peak;
        Clock::time_point heardAt;
    };

    BeatPlayer() : client_(jack_client_open("lirasto-player", JackNoStartServer, nullptr))
    {
        if (!client_)
            return;
        rate_ = jack_get_sample_rate(client_);
        in_ = jack_port_register(client_, "in", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
        out_ = jack_port_register(client_, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
        jack_set_process_callback(client_, process, this);
        jack_activate(client_);
    }
    ~BeatPlayer()
    {
        if (client_)
            jack_client_close(client_);
    }

    // Our MIDI to the program's port and the program's sound to us, once both are there.
    bool Connect()
    {
        const char** ports = jack_get_ports(client_, "^Lirasto Notes", JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput);
        const bool heard = ports && ports[0] && jack_connect(client_, ports[0], jack_port_name(in_)) != -1;
        jack_free(ports);
        return heard && jack_connect(client_, jack_port_name(out_), "Lirasto Notes:MIDI in") != -1;
    }
    double Rate() const { return rate_; }
    std::vector<Click> Clicks() const
    {
        std::lock_guard lock(mutex_);
        return clicks_;
    }
    // Each note goes down at its frame and up a tenth of a second later.
    void Play(std::vector<std::pair<jack_nframes_t, int>> notes)
    {
        std::lock_guard lock(mutex_);
        for (const auto& [frame, note] : notes) {
            events_.push_back({frame, uint8_t(0x90), uint8_t(note)});
            events_.push_back({frame + jack_nframes_t(rate_ / 10), uint8_t(0x80), uint8_t(note)});
        }
        std::stable_sort(events_.begin(), events_.end(),
                         [](const Event& a, const Event& b) { return a.frame < b.frame; });
    }

private:
    struct Event
    {
        jack_nframes_t frame;
        uint8_t status, note;
    };

    static int process(jack_nframes_t count, void* self)
    {
        auto* p = static_cast<BeatPlayer*>(self);
        const jack_nframes_t start = jack_last_frame_time(p->client_);
        const auto* x = static_cast<const float*>(jack_port_get_buffer(p->in_, count));
        void* out = jack_port_get_buffer(p->out_, count);
        jack_midi_clear_buffer(out);
        // A test's player, not an instrument: a short lock beside the test's thread is fine here.
        std::lock_guard lock(p->mutex_);
        // A click rings (with the reverb) for longer than this, well above the loud ones' attack
        // threshold only briefly; the next begins later still, up to 208 beats a minute.
        const auto ringing = jack_nframes_t(p->rate_ * 0.2);
        for (jack_nframes_t i = 0; i < count; ++i) {
            const float level = std::abs(x[i]);
            const jack_nframes_t frame = start + i;
            if (!p->clicks_.empty() && frame - p->clicks_.back().frame < ringing) {
                p->clicks_.back().peak = std::max(p->clicks_.back().peak, level);
            } else if (level > 0.05f) {
                p->clicks_.push_back({frame, level, Clock::now()});
            }
        }
        // Events are kept in frame order; one already due (a late arming) goes out at once.
        std::erase_if(p->events_, [&](const Event& e) {
            const auto due = int32_t(e.frame - start);
            if (due >= int32_t(count))
                return false;
            const uint8_t bytes[3] = {e.status, e.note, 100};
            jack_midi_event_write(out, jack_nframes_t(std::max(due, 0)), bytes, 3);
            return true;
        });
        return 0;
    }

    jack_client_t* client_;
    jack_port_t* in_ = nullptr;
    jack_port_t* out_ = nullptr;
    double rate_ = 48000;
    mutable std::mutex mutex_;
    std::vector<Click> clicks_;
    std::vector<Event> events_;
};

// A line read from the screen and played through the program's JACK MIDI port.
class EndToEndLinePlay : public EndToEndMidiPlay
{
protected:
    static constexpr int kNotes = 8;

    void StartLine(const std::string& tempo, const std::string& key)
    {
        args_ = {"--exercise", "line", "--notes", std::to_string(kNotes), "--tempo", tempo, "--key", key};
        EndToEndMidiPlay::SetUp();
    }
    void SetUp() override {}
    std::vector<LinePlace> Line() { return ReadLine(Grab(), *staffOrigin_, references_, kNotes); }
    static bool WholeLine(const std::vector<LinePlace>& places)
    {
        return std::all_of(places.begin(), places.end(), [](const LinePlace& p) { return p.note.has_value(); });
    }
    static bool Unmarked(const std::vector<LinePlace>& places)
    {
        return std::all_of(places.begin(), places.end(), [](const LinePlace& p) { return p.mark == Verdict::None; });
    }
    Verdict verdict() { return ReadVerdict(shot_, kAnswerLabel.translated(panel_)); }
    int Play(int note)
    {
        const std::string n = std::to_string(note);
        return Send({"--connect", kPort, "on " + n, "off " + n, "sync"});
    }

    const std::string kPort = "Lirasto Notes:MIDI in";
};

// At one's pace: each right key marks its note right and the pointer moves on, a wrong key marks
// the note wrong and it waits for the right one; the played notes stay, and the last turns the page.
TEST_F(EndToEndLinePlay, WaitModeMarksEachNoteAndWaitsAfterAMiss)
{
    StartLine("0", "Bb");
    ASSERT_TRUE(PollUntil([&] { return Send({"--connect", kPort, "sync"}) == 0; }, 10s, 200ms)) << "no port";
    std::vector<LinePlace> first;
    ASSERT_TRUE(PollUntil([&] { return WholeLine(first = Line()) && Unmarked(first); }, 10s, 100ms))
        << "no line of " << kNotes << " notes read";
    saveShot(shot_, "line-wait-0");
    for (const LinePlace& p : first)
        EXPECT_EQ(p.note->key, 10) << p.note->Describe();
    for (int place = 0; place < kNotes; ++place) {
        const int note = soundingNote(*first[place].note);
        if (place == 2) {
            ASSERT_EQ(Play(note + 1), 0);
            ASSERT_TRUE(PollUntil([&] { return Line()[2].mark == Verdict::Wrong && verdict() == Verdict::Wrong; }, 3s))
                << "no miss marked for a wrong key on " << first[2].note->Describe();
            saveShot(shot_, "line-wait-miss");
        }
        ASSERT_EQ(Play(note), 0);
        ASSERT_TRUE(PollUntil([&] { return Line()[place].mark == Verdict::Right; }, 3s))
            << "place " << place << " not marked right for " << first[place].note->Describe();
    }
    // The last note's mark is seen, then the page turns to a fresh line.
    std::vector<LinePlace> next;
    ASSERT_TRUE(
        PollUntil([&] { return WholeLine(next = Line()) && Unmarked(next) && verdict() == Verdict::Right; }, 3s))
        << "the page did not turn after the last note";
}

// A line in the alto clef and one in seven flats, read from the screen on their own clef and signature as a player
// reads them, and played through the program's JACK MIDI port: every note comes out right, so each was written
// where and with the sign its key asks.
struct ClefLineCase
{
    const char* name;
    const char* clef;
    const char* key;
    UpperClef upper;
    int accidentals; // of the signature shown
};

class EndToEndClefLine : public EndToEndLinePlay, public testing::WithParamInterface<ClefLineCase>
{};

TEST_P(EndToEndClefLine, ReadOnItsClefAndSignatureAndPlayedRight)
{
    const ClefLineCase& c = GetParam();
    args_ = {"--exercise", "line", "--notes", std::to_string(kNotes), "--tempo", "0", "--key", c.key, "--clef", c.clef};
    EndToEndMidiPlay::SetUp();
    const SignatureReferences signatures = SignatureReferences::Load(LIRASTO_ARTWORK_DIR);
    ASSERT_TRUE(PollUntil([&] { return Send({"--connect", kPort, "sync"}) == 0; }, 10s, 200ms)) << "no port";
    std::vector<std::optional<ClefNote>> notes;
    ASSERT_TRUE(PollUntil(
        [&] {
            notes = ReadClefLine(Grab(), *staffOrigin_, references_, signatures, c.upper, kNotes);
            return std::all_of(notes.begin(), notes.end(), [](const auto& n) { return n.has_value(); });
        },
        10s, 100ms))
        << "no line of " << kNotes << " notes read on the " << c.clef << " clef";
    saveShot(shot_, std::string("line-") + c.name);
    EXPECT_EQ(ReadUpperSignature(shot_, *staffOrigin_, signatures, c.upper), c.accidentals);
    for (int place = 0; place < kNotes; ++place) {
        ASSERT_EQ(Play(notes[std::size_t(place)]->sounding), 0);
        ASSERT_TRUE(PollUntil([&] { return Line()[std::size_t(place)].mark == Verdict::Right; }, 3s))
            << "place " << place << " not marked right for the note read as " << notes[std::size_t(place)]->sounding;
    }
}

INSTANTIATE_TEST_SUITE_P(Clefs, EndToEndClefLine,
                         testing::Values(ClefLineCase{"alto", "alto", "F# minor", UpperClef::Alto, 3},
                                         ClefLineCase{"flats", "treble", "Cb", UpperClef::Treble, -7},
                                         ClefLineCase{"minor", "treble8vb", "Ab minor", UpperClef::TrebleOctave, -7}),
                         [](const testing::TestParamInfo<ClefLineCase>& info) { return std::string(info.param.name); });

// Triads read from the screen as a musician reads a stack and played through the program's JACK
// MIDI port as keys held together: the right three keys score, a wrong one among them is wrong.
class EndToEndChordPlay : public EndToEndMidiPlay
{
protected:
    // The stack stands at the second of four places of a line.
    static constexpr int kStackLeft = 150 + (545 - 150) / 3;

    void SetUp() override
    {
        args_ = {"--chords", "triads", "--key", "A", "--staff", "treble"};
        EndToEndMidiPlay::SetUp();
    }
    std::vector<StaffReading> WaitForTriad()
    {
        std::vector<StaffReading> previous, current;
        PollUntil(
            [&] {
                previous = current;
                current = ReadStack(Grab(), *staffOrigin_, references_, kStackLeft);
                return current.size() == 3 && current == previous;
            },
            8s, 100ms);
        return current.size() == 3 && current == previous ? current : std::vector<StaffReading>{};
    }
    int Hold(const std::vector<int>& notes)
    {
        std::vector<std::string> args{"--connect", "Lirasto Notes:MIDI in"};
        for (int n : notes)
            args.push_back("on " + std::to_string(n));
        for (int n : notes)
            args.push_back("off " + std::to_string(n));
        args.push_back("sync");
        return Send(args);
    }
    Verdict verdict() { return ReadVerdict(Grab(), kAnswerLabel.translated(panel_)); }
};

TEST_F(EndToEndChordPlay, TriadsReadFromTheScreenAndHeldOnMidi)
{
    ASSERT_TRUE(PollUntil([&] { return Send({"--connect", "Lirasto Notes:MIDI in", "sync"}) == 0; }, 10s, 200ms));
    const std::vector<StaffReading> first = WaitForTriad();
    ASSERT_EQ(first.size(), 3u) << "no triad read at column " << kStackLeft;
    saveShot(shot_, "chord-0");
    std::vector<int> notes;
    for (const StaffReading& head : first) {
        EXPECT_EQ(head.key, 9) << head.Describe();
        notes.push_back(soundingNote(head));
    }
    ASSERT_EQ(Hold(notes), 0);
    ASSERT_TRUE(PollUntil([&] { return verdict() == Verdict::Right; }, 3s))
        << "no \"RIGHT!\" for " << first[0].Describe() << ", " << first[1].Describe() << ", " << first[2].Describe();

    saveShot(shot_, "chord-right");
    // A stack answered right turns green, which this reader does not take for a question; the
    // next triad comes on the next second. Its top note played a semitone off is wrong.
    const std::vector<StaffReading> second = WaitForTriad();
    ASSERT_EQ(second.size(), 3u) << "no second triad";
    ASSERT_EQ(Hold({soundingNote(second[0]), soundingNote(second[1]), soundingNote(second[2]) + 1}), 0);
    ASSERT_TRUE(PollUntil([&] { return verdict() == Verdict::Wrong; }, 3s)) << "no \"WRONG!\" for a wrong key";
    saveShot(shot_, "chord-wrong");
}

// Chromatic triads in E flat major: stacks with flats, sharps and naturals in columns read from the
// screen, each answered right through the JACK MIDI port, until one with signs was read and scored
// (nearly every chromatic triad in that key has some).
class EndToEndSignedChordPlay : public EndToEndChordPlay
{
protected:
    void SetUp() override
    {
        args_ = {"--chords", "triads", "--key", "Eb", "--staff", "treble", "--chromatic"};
        EndToEndMidiPlay::SetUp();
    }
};

TEST_F(EndToEndSignedChordPlay, TriadsWithSignsReadFromTheScreenAndHeldOnMidi)
{
    ASSERT_TRUE(PollUntil([&] { return Send({"--connect", "Lirasto Notes:MIDI in", "sync"}) == 0; }, 10s, 200ms));
    int withSigns = 0;
    for (int triad = 0; triad < 12 && withSigns == 0; ++triad) {
        const std::vector<StaffReading> read = WaitForTriad();
        ASSERT_EQ(read.size(), 3u) << "no triad read at column " << kStackLeft << " after " << triad;
        std::vector<int> notes;
        std::string described;
        for (const StaffReading& head : read) {
            EXPECT_EQ(head.key, 3) << head.Describe();
            notes.push_back(soundingNote(head));
            described += head.Describe() + "; ";
        }
        saveShot(shot_, "chord-signs-" + std::to_string(triad));
        ASSERT_EQ(Hold(notes), 0);
        ASSERT_TRUE(PollUntil([&] { return verdict() == Verdict::Right; }, 3s)) << "no \"RIGHT!\" for " << described;
        withSigns += std::any_of(read.begin(), read.end(),
                                 [](const StaffReading& head) { return head.accidental != Accidental::None; });
    }
    EXPECT_GT(withSigns, 0) << "no triad with signs in twelve";
}

// A line of four triads at one's own pace: every stack read from the screen, each held on MIDI and
// marked where it stands, a wrong key leaving its stack waiting, and the page turning after the last.
class EndToEndStackLinePlay : public EndToEndChordPlay
{
protected:
    static constexpr int kStacks = 4;
    void SetUp() override
    {
        args_ = {"--exercise", "line", "--chords", "triads", "--key", "Bb", "--staff", "treble", "--notes", "4"};
        EndToEndMidiPlay::SetUp();
    }
    static int StackLeft(int place) { return 150 + (545 - 150) * place / (kStacks - 1); }
    std::vector<std::vector<StaffReading>> Stacks()
    {
        const QImage shot = Grab();
        std::vector<std::vector<StaffReading>> read;
        for (int place = 0; place < kStacks; ++place)
            read.push_back(ReadStack(shot, *staffOrigin_, references_, StackLeft(place)));
        return read;
    }
    Verdict mark(int place) { return ReadLine(Grab(), *staffOrigin_, references_, kStacks)[std::size_t(place)].mark; }
    static std::vector<int> NotesOf(const std::vector<StaffReading>& stack)
    {
        std::vector<int> notes;
        for (const StaffReading& head : stack)
            notes.push_back(soundingNote(head));
        return notes;
    }
};

TEST_F(EndToEndStackLinePlay, TriadsOfALineHeldOneAfterAnother)
{
    ASSERT_TRUE(PollUntil([&] { return Send({"--connect", "Lirasto Notes:MIDI in", "sync"}) == 0; }, 10s, 200ms));
    std::vector<std::vector<StaffReading>> line;
    ASSERT_TRUE(PollUntil(
        [&] {
            line = Stacks();
            return std::all_of(line.begin(), line.end(), [](const auto& stack) { return stack.size() == 3; });
        },
        8s, 100ms))
        << "not every stack of the line was read";
    saveShot(shot_, "stack-line-0");
    for (int place = 0; place < kStacks; ++place) {
        std::vector<int> notes = NotesOf(line[std::size_t(place)]);
        if (place == 1) {
            std::vector<int> wrong = notes;
            wrong.back() += 1;
            ASSERT_EQ(Hold(wrong), 0);
            ASSERT_TRUE(PollUntil([&] { return mark(1) == Verdict::Wrong; }, 3s)) << "no miss marked on stack 1";
        }
        ASSERT_EQ(Hold(notes), 0);
        if (place + 1 < kStacks) {
            ASSERT_TRUE(PollUntil([&] { return mark(place) == Verdict::Right; }, 3s))
                << "stack " << place << " not marked right";
        }
    }
    saveShot(shot_, "stack-line-done");
    // The last mark shows, then the page turns to a fresh line.
    ASSERT_TRUE(PollUntil([&] { return mark(0) == Verdict::None && Stacks()[0].size() == 3; }, 5s))
        << "the page did not turn after the last stack";
}

// In time: the player hears the count-in bar after the page turns and plays each note on its
// beat; every note is judged on time, the last one too (the verdict after the page turns).
TEST_F(EndToEndLinePlay, TempoModePlayedOnTheBeatIsAllOnTime)
{
    constexpr int kBpm = 90;
    StartLine(std::to_string(kBpm), "D");
    BeatPlayer player;
    ASSERT_TRUE(PollUntil([&] { return player.Connect(); }, 20s, 200ms)) << "no sound or MIDI port to play with";
    const double beat = player.Rate() * 60 / kBpm;
    // A line whose notes were marked, then a new one: the page turned; the count-in's accented click comes next.
    bool marked = false;
    Clock::time_point before = Clock::now(), lastShown = before;
    std::vector<LinePlace> shown;
    ASSERT_TRUE(PollUntil(
        [&] {
            before = Clock::now();
            shown = Line();
            const bool turned = marked && Unmarked(shown) && player.Clicks().size() >= 8;
            marked = !Unmarked(shown);
            if (!turned)
                lastShown = before;
            return turned;
        },
        40s, 30ms))
        << "no page turned with the metronome heard (" << player.Clicks().size()
        << " clicks heard, lines marked: " << marked << ")";
    // The new line is read whole before its first beat, a bar and more away.
    const bool read = PollUntil([&] { return WholeLine(shown = Line()) && Unmarked(shown); }, 2s, 30ms);
    std::string unread;
    for (int place = 0; place < kNotes; ++place)
        unread += shown[place].note ? "" : " " + std::to_string(place);
    ASSERT_TRUE(read) << "places not read:" << unread;
    saveShot(shot_, "line-tempo-0");
    std::optional<BeatPlayer::Click> countIn;
    ASSERT_TRUE(PollUntil(
        [&] {
            const std::vector<BeatPlayer::Click> clicks = player.Clicks();
            float loudest = 0, softest = 1e9f;
            for (const BeatPlayer::Click& c : clicks)
                loudest = std::max(loudest, c.peak), softest = std::min(softest, c.peak);
            for (const BeatPlayer::Click& c : clicks)
                if (c.heardAt > lastShown && c.peak > (loudest + softest) / 2)
                    return countIn = c, true;
            return false;
        },
        3s))
        << "no accented click after the page turned";
    std::vector<std::pair<jack_nframes_t, int>> notes;
    for (int place = 0; place < kNotes; ++place)
        notes.push_back(
            {countIn->frame + jack_nframes_t(std::lround((4 + place) * beat)), soundingNote(*shown[place].note)});
    player.Play(notes);
    // Every note but the last is seen marked; none is ever marked missed.
    std::vector<Verdict> seen(kNotes, Verdict::None);
    const bool turnedAgain = PollUntil(
        [&] {
            const std::vector<LinePlace> now = Line();
            if (Unmarked(now) && seen[kNotes - 2] != Verdict::None)
                return true;
            for (int place = 0; place < kNotes; ++place)
                if (now[place].mark != Verdict::None)
                    seen[place] = now[place].mark;
            if (seen[4] != Verdict::None && seen[5] == Verdict::None)
                saveShot(shot_, "line-tempo-playing");
            return false;
        },
        20s, 30ms);
    ASSERT_TRUE(turnedAgain) << "the line never ended";
    EXPECT_EQ(verdict(), Verdict::Right) << "the last note was not on time";
    for (int place = 0; place + 1 < kNotes; ++place)
        EXPECT_EQ(seen[place], Verdict::Right) << "place " << place << " on " << shown[place].note->Describe();
}

// On a screen scaled by 2 or 1.5 the staff is drawn from the pictures at twice the resolution:
// its lines are two device pixels thick where the plain lines lie twice as low, and the player
// reading the screen (in logical pixels) and clicking in device pixels answers as at 1.
class ScaledPlay : public EndToEndPlay, public testing::WithParamInterface<double>
{
protected:
    void SetUp() override
    {
        scale_ = GetParam();
        EndToEndPlay::SetUp();
    }
};

TEST_P(ScaledPlay, ReadsAndAnswersAsAtOne)
{
    EXPECT_EQ(ReadKeySignature(Grab(), *staffOrigin_, references_), 0);
    Click(kStartButton.translated(panel_).center());
    const std::optional<StaffReading> first = WaitForQuestion(5s);
    ASSERT_TRUE(first) << "no note came after Start";
    saveShot(deviceShot_, "scaled-" + std::to_string(int(scale_ * 100)));
    if (scale_ == 2) {
        // At 2 x row 80 two dark rows, light above and below; the notehead shaded within its
        // 2 x 2 device blocks, drawn fine rather than blown up.
        const QPoint line = Device(*staffOrigin_ + QPoint(300, 80));
        auto dark = [&](int dy) { return qGray(deviceShot_.pixel(line + QPoint(0, dy))) < 60; };
        EXPECT_TRUE(dark(0) && dark(1) && !dark(-1) && !dark(2)) << "staff line not 2 device pixels thick";
        int uneven = 0;
        const QPoint head = Device(*staffOrigin_ + QPoint(125, int(first->headCentreRow) - 6));
        for (int i = 0; i < 144; ++i) {
            const QPoint p = head + QPoint(i % 12 * 2, i / 12 * 2);
            uneven += deviceShot_.pixel(p) != deviceShot_.pixel(p + QPoint(1, 0)) ||
                      deviceShot_.pixel(p) != deviceShot_.pixel(p + QPoint(0, 1));
        }
        EXPECT_GT(uneven, 10) << "the notehead looks like a plain picture blown up";
    }
    Click(pianoKeyFor(first->pitchClass) + panel_);
    ASSERT_TRUE(WaitForVerdict(Verdict::Right, 3s)) << "no \"RIGHT!\" for " << first->Describe();
    const std::optional<StaffReading> second = WaitForQuestion(4s);
    ASSERT_TRUE(second) << "no second note";
    Click(pianoKeyFor((second->pitchClass + 5) % 12) + panel_);
    EXPECT_TRUE(WaitForVerdict(Verdict::Wrong, 3s)) << "no \"WRONG!\" for a wrong key on " << second->Describe();
}

INSTANTIATE_TEST_SUITE_P(Scales, ScaledPlay, testing::Values(2.0, 1.5), [](const testing::TestParamInfo<double>& info) {
    return info.param == 2.0 ? std::string("Two") : std::string("OneAndAHalf");
});

// The window on small and large screens, with and without a window manager's frame, ended from outside.
struct LifeRow
{
    const char* label;
    QSize screen;
    bool framed, destroyed; // else ended by SIGHUP
    QPoint at;              // the window's top-left corner; twm's frame adds 2 pixels of border and 19 of title
};

class WindowLife : public testing::TestWithParam<LifeRow>
{};

// The frame opens at (192, 110) where it fits and centred otherwise; destroying the window or hanging up
// ends the program as a close does, keeping the level.
TEST_P(WindowLife, FitsTheScreenAndEndsKeepingTheLevel)
{
    const LifeRow& row = GetParam();
    lirasto::test::TempDir workDir;
    VirtualDisplay display(row.screen);
    const std::string env = "DISPLAY=" + display.Name();
    ChildProcess manager;
    if (row.framed)
        manager = ChildProcess({"/usr/bin/twm", "-f", LIRASTO_TWMRC}, {env, "LC_ALL=C"});
    // The answer history goes into the test's folder, never the user's.
    ChildProcess program({LIRASTO_PROGRAM},
                         {env, "QT_QPA_PLATFORM=xcb", "XDG_DATA_HOME=" + (workDir.Path() / "data").string()},
                         workDir.Path());
    std::optional<Window> window;
    ASSERT_TRUE(PollUntil([&] { return (window = FindWindowByTitle(display.Connection(), kTitle)).has_value(); }, 20s));
    PollUntil([&] { return window->RootPosition() == row.at; }, 5s);
    EXPECT_EQ(window->RootPosition().x(), row.at.x());
    EXPECT_EQ(window->RootPosition().y(), row.at.y());

    row.destroyed ? window->Destroy() : (void)::kill(program.Pid(), SIGHUP);
    const std::optional<int> status = program.WaitForExit(10s);
    ASSERT_TRUE(status) << "still running";
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << *status;
    EXPECT_EQ(readFile(workDir.Path() / "vantrel.ini"), "[Lirasto - Notes (demo)]\nLevel=1\n");
}

INSTANTIATE_TEST_SUITE_P(Screens, WindowLife,
                         testing::Values(LifeRow{"SmallDestroyed", {800, 600}, false, true, {4, 17}},
                                         LifeRow{"SmallFramedHungUp", {800, 600}, true, false, {4, 26}},
                                         LifeRow{"LargeFramedDestroyed", {1280, 1024}, true, true, {194, 131}},
                                         LifeRow{"LargeHungUp", {1280, 1024}, false, false, {192, 110}},
                                         LifeRow{"TinyFramedHungUp", {640, 480}, true, false, {2, 21}}),
                         [](const testing::TestParamInfo<LifeRow>& info) { return std::string(info.param.label); });

} // namespace
