// Renders a music module offline the way the game streams it (DUMB, stereo,
// volume 1.0, 11000 Hz by default) into a WAV file, and reports its length
// before the first loop and its peak level. Used to look at the generated music.
#include <dumb.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int looped(void *data)
{
    *static_cast<bool *>(data) = true;
    return 1;   // stop rendering at the loop
}

void put16(FILE *fp, int v) { fputc(v & 0xff, fp); fputc((v >> 8) & 0xff, fp); }
void put32(FILE *fp, long v) { put16(fp, static_cast<int>(v & 0xffff)); put16(fp, static_cast<int>((v >> 16) & 0xffff)); }

void write_wav(const char *path, int rate, const std::vector<int> &s)
{
    FILE *fp = fopen(path, "wb");
    if (!fp) {
        fprintf(stderr, "cannot write %s\n", path);
        exit(1);
    }
    long bytes = static_cast<long>(s.size()) * 2;
    fputs("RIFF", fp); put32(fp, 36 + bytes); fputs("WAVEfmt ", fp);
    put32(fp, 16); put16(fp, 1); put16(fp, 2); put32(fp, rate); put32(fp, rate * 4L); put16(fp, 4); put16(fp, 16);
    fputs("data", fp); put32(fp, bytes);
    for (int v : s) {
        // The game's stream clips the same way.
        int c = v >> 8;
        put16(fp, c > 32767 ? 32767 : c < -32768 ? -32768 : c);
    }
    fclose(fp);
}

// Renders until the song first loops (or for `seconds`), optionally with one channel alone.
std::vector<int> render(DUH *duh, int rate, double seconds, int solo, bool &loop)
{
    DUH_SIGRENDERER *sr = duh_start_sigrenderer(duh, 0, 2, 0);
    DUMB_IT_SIGRENDERER *it = duh_get_it_sigrenderer(sr);
    loop = false;
    if (seconds <= 0)
        dumb_it_set_loop_callback(it, looped, &loop);
    if (solo >= 0)
        for (int c = 0; c < DUMB_IT_N_CHANNELS; c++)
            dumb_it_sr_set_channel_muted(it, c, c != solo);
    long limit = seconds > 0 ? static_cast<long>(seconds * rate) : 600L * rate;
    std::vector<int> all;
    const long chunk = 4096;
    sample_t **buf = allocate_sample_buffer(2, chunk);
    while (static_cast<long>(all.size()) / 2 < limit) {
        dumb_silence(buf[0], 2 * chunk);
        long n = duh_sigrenderer_generate_samples(sr, 1.0f, 65536.0f / rate, chunk, buf);
        all.insert(all.end(), buf[0], buf[0] + 2 * n);
        if (n < chunk)
            break;
    }
    destroy_sample_buffer(buf);
    duh_end_sigrenderer(sr);
    return all;
}

struct Level {
    double peak = 0, rms = 0;
    long clipped = 0;
};

Level measure(const std::vector<int> &all)
{
    Level l;
    double sum = 0;
    for (int v : all) {
        double a = std::fabs(v / 8388608.0);
        l.peak = std::fmax(l.peak, a);
        sum += a * a;
        if (a >= 1.0)
            l.clipped++;
    }
    l.rms = all.empty() ? 0 : std::sqrt(sum / static_cast<double>(all.size()));
    return l;
}

double db(double v) { return 20 * std::log10(v + 1e-12); }

// A picture of the level over time: the peak envelope in blue, the RMS in dark
// blue, full scale in red, half scale in grey. Binary PPM.
void write_levels(const char *path, const std::vector<int> &all)
{
    const int w = 1200, h = 240, mid = h / 2;
    std::vector<unsigned char> rgb(static_cast<size_t>(w * h * 3), 255);
    auto dot = [&](int x, int y, int r, int g, int b) {
        if (y < 0 || y >= h)
            return;
        size_t i = static_cast<size_t>((y * w + x) * 3);
        rgb[i] = static_cast<unsigned char>(r);
        rgb[i + 1] = static_cast<unsigned char>(g);
        rgb[i + 2] = static_cast<unsigned char>(b);
    };
    size_t frames = all.size() / 2;
    for (int x = 0; x < w; x++) {
        size_t a = frames * x / w, b = std::max(a + 1, frames * (x + 1) / w);
        double peak = 0, sum = 0;
        for (size_t i = a; i < b && i < frames; i++)
            for (int c = 0; c < 2; c++) {
                double v = std::fabs(all[2 * i + c] / 8388608.0);
                peak = std::fmax(peak, v);
                sum += v * v;
            }
        double rms = std::sqrt(sum / (2.0 * static_cast<double>(b - a)));
        int p = static_cast<int>(peak * (mid - 10)), r = static_cast<int>(rms * (mid - 10));
        for (int y = -p; y <= p; y++)
            dot(x, mid + y, 120, 160, 230);
        for (int y = -r; y <= r; y++)
            dot(x, mid + y, 20, 40, 120);
        for (int s : {-1, 1}) {
            dot(x, mid + s * (mid - 10), 220, 0, 0);
            if (x % 6 < 3)
                dot(x, mid + s * (mid - 10) / 2, 150, 150, 150);
        }
    }
    FILE *fp = fopen(path, "wb");
    if (!fp) {
        fprintf(stderr, "cannot write %s\n", path);
        exit(1);
    }
    fprintf(fp, "P6\n%d %d\n255\n", w, h);
    fwrite(rgb.data(), 1, rgb.size(), fp);
    fclose(fp);
}

} // namespace

int main(int argc, char **argv)
{
    bool channels = false;
    const char *levels = nullptr;
    for (;;) {
        if (argc > 1 && std::string(argv[1]) == "--channels") {
            channels = true;
            argc--;
            argv++;
        } else if (argc > 2 && std::string(argv[1]) == "--levels") {
            levels = argv[2];
            argc -= 2;
            argv += 2;
        } else
            break;
    }
    if (argc < 3) {
        fprintf(stderr, "usage: %s [--channels] [--levels PLOT.ppm] MODULE.xm OUT.wav [RATE [SECONDS]]\n"
                        "Renders until the song first loops, or for SECONDS if given;\n"
                        "--channels also reports the level of each channel alone,\n"
                        "--levels draws the level over time.\n", argv[0]);
        return 2;
    }
    int rate = argc > 3 ? atoi(argv[3]) : 11000;
    double seconds = argc > 4 ? atof(argv[4]) : 0;
    dumb_register_stdfiles();
    DUH *duh = dumb_load_xm_quick(argv[1]);
    if (!duh) {
        fprintf(stderr, "cannot load %s\n", argv[1]);
        return 1;
    }
    bool loop;
    std::vector<int> all = render(duh, rate, seconds, -1, loop);
    Level l = measure(all);
    printf("%s: %.2f s%s, peak %.3f (%.1f dBFS), rms %.3f (%.1f dBFS), clipped samples %ld\n", argv[1],
           static_cast<double>(all.size() / 2) / rate, loop ? " before looping" : (seconds > 0 ? "" : ", never loops"),
           l.peak, db(l.peak), l.rms, db(l.rms), l.clipped);
    write_wav(argv[2], rate, all);
    if (levels)
        write_levels(levels, all);
    if (channels) {
        // DUMB does not say how many channels a module has; the XM header does.
        int n = 0;
        if (FILE *fp = fopen(argv[1], "rb")) {
            unsigned char h[70];
            if (fread(h, 1, sizeof h, fp) == sizeof h)
                n = h[68] | h[69] << 8;
            fclose(fp);
        }
        for (int c = 0; c < n; c++) {
            Level cl = measure(render(duh, rate, seconds, c, loop));
            printf("  channel %d alone: peak %.3f (%.1f dBFS), rms %.1f dBFS\n", c, cl.peak, db(cl.peak), db(cl.rms));
        }
    }
    unload_duh(duh);
    return 0;
}
