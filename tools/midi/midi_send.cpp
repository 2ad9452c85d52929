// A JACK MIDI output port that sends what it reads on standard input, for end-to-end tests
// of MIDI input. Each line is either bytes in hex ("90 3c 64") sent as one message, or
// "wait MS". It prints "ready" once the port exists; at the end of input it lingers briefly
// so the last messages leave before the port goes.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <rtmidi/RtMidi.h>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("midi-send"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Sends MIDI messages from a JACK port."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("client"), QStringLiteral("JACK client name."),
                      QStringLiteral("name"), QStringLiteral("midi-send")});
    parser.addOption({QStringLiteral("port"), QStringLiteral("Port name."), QStringLiteral("name"),
                      QStringLiteral("out")});
    parser.process(app);

    try {
        RtMidiOut out(RtMidi::UNIX_JACK, parser.value(QStringLiteral("client")).toStdString());
        out.openVirtualPort(parser.value(QStringLiteral("port")).toStdString());
        std::printf("ready\n");
        std::fflush(stdout);

        std::string line;
        while (std::getline(std::cin, line)) {
            std::istringstream words(line);
            std::string first;
            if (!(words >> first))
                continue;
            if (first == "wait") {
                int ms = 0;
                words >> ms;
                std::this_thread::sleep_for(std::chrono::milliseconds(ms));
                continue;
            }
            std::vector<unsigned char> bytes;
            std::istringstream all(line);
            std::string hex;
            while (all >> hex)
                bytes.push_back(static_cast<unsigned char>(std::stoul(hex, nullptr, 16)));
            out.sendMessage(&bytes);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    } catch (const RtMidiError& error) {
        std::fprintf(stderr, "midi-send: %s\n", error.getMessage().c_str());
        return 1;
    } catch (const std::exception&) {
        std::fprintf(stderr, "midi-send: a line is neither hex bytes nor \"wait MS\"\n");
        return 2;
    }
    return 0;
}
