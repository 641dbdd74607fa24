#pragma once

#include <jack/jack.h>

namespace lirasto {

// Whether a JACK server runs, asked without starting one: an audio library's JACK driver would otherwise
// start a server of its own and take the sound card from the desktop's sound server. Header only, for the
// modules that link libjack; the program itself does not.
inline bool JackServerRuns()
{
    jack_status_t status{};
    jack_client_t* probe = jack_client_open("Lirasto Notes probe", JackNoStartServer, &status);
    if (!probe)
        return false;
    jack_client_close(probe);
    return true;
}

} // namespace lirasto
