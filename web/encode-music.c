/* Encodes a music file as Ogg Vorbis for the page: the theme's FLAC is most of what a visitor
 * would download, and Vorbis keeps every sample frame where it was, so the loop points stay.
 * Usage: encode-music IN OUT.ogg */
#include <sndfile.h>
#include <stdio.h>

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: %s IN OUT.ogg\n", argv[0]);
        return 2;
    }
    SF_INFO in_info = {0};
    SNDFILE* in = sf_open(argv[1], SFM_READ, &in_info);
    if (!in) {
        fprintf(stderr, "%s: %s\n", argv[1], sf_strerror(NULL));
        return 1;
    }
    SF_INFO out_info = {0};
    out_info.samplerate = in_info.samplerate;
    out_info.channels = in_info.channels;
    out_info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    SNDFILE* out = sf_open(argv[2], SFM_WRITE, &out_info);
    if (!out) {
        fprintf(stderr, "%s: %s\n", argv[2], sf_strerror(NULL));
        return 1;
    }
    double compression = 0.6;  /* about 112 kbit/s for stereo at 44.1 kHz */
    sf_command(out, SFC_SET_COMPRESSION_LEVEL, &compression, sizeof compression);
    float buffer[4096 * 8];
    const sf_count_t frames = (sf_count_t)(sizeof buffer / sizeof buffer[0]) / in_info.channels;
    sf_count_t got;
    while ((got = sf_readf_float(in, buffer, frames)) > 0) {
        if (sf_writef_float(out, buffer, got) != got) {
            fprintf(stderr, "%s: %s\n", argv[2], sf_strerror(out));
            return 1;
        }
    }
    sf_close(in);
    return sf_close(out) == 0 ? 0 : 1;
}
