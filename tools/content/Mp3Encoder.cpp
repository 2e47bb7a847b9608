#include "content/Mp3Encoder.h"

#include <lame/lame.h>

#include <algorithm>
#include <cstring>

bool encodeMp3(const std::vector<float>& samples, int channels, int sampleRate, int kbps,
               int quality, std::vector<uint8_t>& out) {
    out.clear();
    lame_global_flags* lame = lame_init();
    if (lame == nullptr) {
        return false;
    }
    lame_set_in_samplerate(lame, sampleRate);
    lame_set_out_samplerate(lame, sampleRate);
    lame_set_num_channels(lame, channels);
    lame_set_mode(lame, channels == 1 ? MONO : JOINT_STEREO);
    lame_set_VBR(lame, vbr_off);
    lame_set_brate(lame, kbps);
    lame_set_quality(lame, quality);
    lame_set_bWriteVbrTag(lame, 1);
    lame_set_write_id3tag_automatic(lame, 0);
    bool ok = lame_init_params(lame) >= 0;

    const int frames = static_cast<int>(samples.size() / channels);
    std::vector<float> left(frames), right(frames);
    for (int i = 0; i < frames; ++i) {
        left[i] = samples[size_t(i) * channels];
        right[i] = samples[size_t(i) * channels + (channels - 1)];
    }
    constexpr int kChunk = 8192;
    std::vector<unsigned char> buffer(kChunk * 5 / 4 + 7200);
    for (int at = 0; ok && at < frames; at += kChunk) {
        const int n = std::min(kChunk, frames - at);
        const int bytes = lame_encode_buffer_ieee_float(
            lame, &left[at], &right[at], n, buffer.data(), static_cast<int>(buffer.size()));
        ok = bytes >= 0;
        if (ok) {
            out.insert(out.end(), buffer.begin(), buffer.begin() + bytes);
        }
    }
    if (ok) {
        const int bytes = lame_encode_flush(lame, buffer.data(), static_cast<int>(buffer.size()));
        ok = bytes >= 0;
        if (ok) {
            out.insert(out.end(), buffer.begin(), buffer.begin() + bytes);
        }
    }
    if (ok) {
        // The stream starts with a placeholder frame of the tag's size: fill it in.
        unsigned char tag[2880];
        const size_t tagBytes = lame_get_lametag_frame(lame, tag, sizeof tag);
        ok = tagBytes > 0 && tagBytes <= out.size();
        if (ok) {
            std::memcpy(out.data(), tag, tagBytes);
        }
    }
    lame_close(lame);
    return ok;
}
