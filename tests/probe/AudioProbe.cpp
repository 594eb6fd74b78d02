// Plays one effect through the audio manager on whatever device the environment selects (with
// "music", streams it as music, refilled every 10 ms as frames would), then closes the device. The
// unit tests run it as a child process so that each run opens a device of its own: OpenAL Soft
// reads its configuration once per process.
// Usage: velmora_audio_probe ROOT SOUND SECONDS [music]   (SOUND is a name under ROOT/data/audio)
#include "audio/AudioManager.h"
#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/LogRecord.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

int main(int argc, char** argv) {
    using Velmora::Audio::AudioManager;
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: %s ROOT SOUND SECONDS [music]\n", argv[0]);
        return 2;
    }
    Velmora::LogRecord::AddSink([](const std::string& line) { std::printf("log %s\n", line.c_str()); });
    Velmora::Game::GetInstance().SetRootPath(argv[1]);
    AudioManager& audio = AudioManager::GetInstance();
    audio.Initialize();
    std::printf("available %d\n", audio.IsAvailable() ? 1 : 0);

    const Velmora::Audio::SoundHandle sample = audio.LoadSample(argv[2]);
    const Velmora::Audio::SoundHandle music = audio.LoadMusic(argv[2]);
    std::printf("buffer %s\n", sample != nullptr && *sample != 0 ? "loaded" : "empty");
    const auto seconds = std::chrono::duration<double>(std::atof(argv[3]));
    if (argc == 5 && std::string(argv[4]) == "music") {
        audio.PlayMusic(*music);
        const auto end = std::chrono::steady_clock::now() + seconds;
        Velmora::MessageUpdateLoop frame(0.01);
        while (std::chrono::steady_clock::now() < end) {
            audio.HandleMessage(frame);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::printf("loops %d\n", audio.GetMusicStream().GetLoopCount());
    } else {
        audio.PlaySampleHandle(sample);
        if (!audio.IsAvailable()) {
            // Without a device every other operation must be harmless too.
            audio.PlayMusic(*music);
            audio.PauseAll();
            audio.PlaySample(12345);
            audio.ResumeAll();
            audio.StopMusic();
            std::printf("volume %.2f\n", audio.SetMusicVolume(1.5) + audio.SetSampleVolume(0.25));
        }
        std::this_thread::sleep_for(seconds);
    }
    audio.Deinitialize();
    std::printf("done\n");
    return 0;
}
