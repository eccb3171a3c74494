// Writes Timer1.wav, the alarm the timers play when they run out: four soft chimes rising
// through a major chord, each a struck-bell tone whose upper partials fade faster than its
// fundamental. Pure arithmetic, so every run writes the same bytes.
//
//     make_timer_sound <output.wav>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

constexpr int sampleRate = 44100;
constexpr double lengthSeconds = 2.0;
constexpr double peakLevel = 0.5; // about -6 dBFS: clearly audible, never harsh

struct Partial {
    double ratio;     // of the chime's pitch
    double amplitude; // relative to the fundamental
    double decay;     // time constant in seconds
};

// A bell's spectrum is slightly inharmonic; the upper partials give the strike its shimmer and
// die away first, leaving a soft hum.
constexpr Partial bellPartials[] = {
    {1.0, 1.0, 0.45}, {2.0, 0.45, 0.25}, {2.76, 0.25, 0.16}, {5.40, 0.12, 0.08}, {8.93, 0.05, 0.04},
};

struct Chime {
    double start;     // seconds
    double frequency; // Hz
    double gain;
};

// C6, E6, G6, C7: a rising arpeggio that reads as "time is up" without sounding like an alarm
// klaxon.
constexpr Chime chimes[] = {
    {0.00, 1046.50, 0.80},
    {0.25, 1318.51, 0.75},
    {0.50, 1567.98, 0.75},
    {0.75, 2093.00, 0.90},
};

double chimeSample(const Chime& chime, double t)
{
    const double local = t - chime.start;
    if (local < 0)
        return 0;
    // A few milliseconds of attack avoid a click at the strike.
    const double attack = std::min(1.0, local / 0.004);
    double value = 0;
    for (const Partial& partial : bellPartials) {
        value += partial.amplitude * std::exp(-local / partial.decay) *
                 std::sin(2 * std::numbers::pi * chime.frequency * partial.ratio * local);
    }
    return chime.gain * attack * value;
}

std::vector<double> render()
{
    const int frames = static_cast<int>(lengthSeconds * sampleRate);
    std::vector<double> samples(frames);
    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        double value = 0;
        for (const Chime& chime : chimes)
            value += chimeSample(chime, t);
        // The last 0.3 s fade to zero so the file does not end on a click.
        const double tail = (lengthSeconds - t) / 0.3;
        samples[i] = value * std::clamp(tail, 0.0, 1.0);
    }
    double peak = 0;
    for (double value : samples)
        peak = std::max(peak, std::abs(value));
    for (double& value : samples)
        value *= peakLevel / peak;
    return samples;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.wav>\n", argv[0]);
        return 2;
    }
    const std::vector<double> samples = render();
    std::vector<short> pcm(samples.size());
    std::transform(samples.begin(), samples.end(), pcm.begin(),
                   [](double value) { return static_cast<short>(std::lround(value * 32767)); });

    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(argv[1], SFM_WRITE, &info);
    if (!file) {
        std::fprintf(stderr, "%s: cannot write %s: %s\n", argv[0], argv[1], sf_strerror(nullptr));
        return 1;
    }
    const sf_count_t written =
        sf_writef_short(file, pcm.data(), static_cast<sf_count_t>(pcm.size()));
    const int closeError = sf_close(file);
    if (written != static_cast<sf_count_t>(pcm.size()) || closeError != 0) {
        std::fprintf(stderr, "%s: writing %s failed\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
