// Plays rendered notes into a JACK port, as an instrument before a microphone would:
//   audio_send PORT PROGRAM NOTE...   each note held 0.5 s, then 0.4 s of its release and silence.
#include "tests/microphone/JackPlayer.h"
#include "tests/microphone/Signals.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: audio_send PORT PROGRAM NOTE...\n");
        return 2;
    }
    lirasto::test::JackPlayer player(argv[1], "audio_send");
    if (!player.Ready()) {
        std::fprintf(stderr, "audio_send: cannot play into %s\n", argv[1]);
        return 1;
    }
    const int program = std::atoi(argv[2]);
    for (int i = 3; i < argc; ++i) {
        std::vector<float> note = lirasto::test::RenderNote(program, std::atoi(argv[i]), 100, 0.5, 0.4);
        if (note.empty()) {
            std::fprintf(stderr, "audio_send: no SoundFont to render with\n");
            return 1;
        }
        player.Play(std::move(note));
    }
    while (!player.Idle())
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return 0;
}
