#include "content/ContentWriter.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/WindowIdentity.h"
#include "content/AudioFiles.h"
#include "content/BeeIcon.h"
#include "content/FlowerFiles.h"
#include "content/FlowerModels.h"
#include "content/ModelCatalog.h"
#include "content/Mp3Encoder.h"
#include "content/Music.h"
#include "content/Placement.h"
#include "content/SoundEffects.h"
#include "content/Textures.h"

namespace {

bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return out.good();
}

}  // namespace

std::vector<ContentFile> placementFiles() {
    std::vector<double> footprints;
    for (const FlowerKind& kind : kFlowerKinds) {
        footprints.push_back(flowerFootprint(buildFlower(kind, 0)));
    }
    const std::vector<std::vector<FlowerSpot>> beds = planFlowerBeds(footprints);
    std::vector<ContentFile> files;
    for (size_t k = 0; k < beds.size(); ++k) {
        const std::string text = placementText(kFlowerKinds[k], beds[k]);
        files.push_back({flowerFiles::placement(kFlowerKinds[k]),
                         std::vector<uint8_t>(text.begin(), text.end())});
    }
    return files;
}

bool soundFiles(std::vector<ContentFile>& out, std::string& error) {
    std::vector<uint8_t> mp3;
    if (!encodeMp3(buzzLoop(), 1, kEffectRate, 96, 2, mp3)) {
        error = "fly_swarm.mp3: the MP3 encoder failed";
        return false;
    }
    out.push_back({"fly_swarm.mp3", mp3});
    if (!encodeMp3(flowerChime(), 1, kEffectRate, 128, 2, mp3)) {
        error = "music_b.mp3: the MP3 encoder failed";
        return false;
    }
    out.push_back({"music_b.mp3", mp3});
    if (!encodeMp3(composeMusic(), 2, kMusicRate, 128, 5, mp3)) {
        error = "music_a.mp3: the MP3 encoder failed";
        return false;
    }
    out.push_back({"music_a.mp3", mp3});
    out.push_back({"bubble_pop.wav", wavBytes(bombPop(), 1, kEffectRate)});
    out.push_back({"synth_loop.aif", aiffBytes(refusal(), 1, kEffectRate)});
    return true;
}

int writeContent(const std::string& directory) {
    std::error_code ec;
    std::filesystem::create_directories(directory, ec);
    if (ec) {
        std::fprintf(stderr, "%s: cannot create the directory: %s\n", directory.c_str(),
                     ec.message().c_str());
        return -1;
    }
    int written = 0;
    auto fail = [&](const std::string& name, const char* why) {
        std::fprintf(stderr, "%s/%s: %s\n", directory.c_str(), name.c_str(), why);
        return -1;
    };
    for (const NamedModel& m : buildModels()) {
        Ms3dWriter w;
        if (!m.mesh.toWriter(w)) {
            return fail(m.file, "too many vertices or triangles for the format");
        }
        if (!w.writeFile(directory + "/" + m.file)) {
            return fail(m.file, "cannot write the file");
        }
        ++written;
    }
    for (const NamedImage& t : paintTextures()) {
        if (!t.image.save(directory + "/" + t.file)) {
            return fail(t.file, "cannot write the picture");
        }
        ++written;
    }
    // The game's window shows these; the desktop's icons live outside data/.
    for (const int size : WindowIdentity::kIconSizes) {
        const std::string name = WindowIdentity::iconName(size);
        std::string path = directory + "/";
        path += name;
        if (!BeeIcon(size).savePng(path)) {
            return fail(name, "cannot write the picture");
        }
        ++written;
    }
    std::vector<ContentFile> files = placementFiles();
    std::string error;
    if (!soundFiles(files, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return -1;
    }
    for (const ContentFile& f : files) {
        if (!writeBytes(directory + "/" + f.name, f.bytes)) {
            return fail(f.name, "cannot write the file");
        }
        ++written;
    }
    return written;
}
