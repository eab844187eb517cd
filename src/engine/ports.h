// What the script engine needs from the world around it, as small interfaces: the download
// window's display, message and question boxes, the desktop's "open", the settings the
// instructions read, the page fetcher and the place where programmes are saved. The windows
// implement them with Qt, the command line and the tests with plain objects.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/dialogs.h"
#include "engine/programme_store.h"

namespace zelidor {

// The fields of the programme being assembled, as the live view shows them.
enum class RecordField { Code, Hour, Title, Link, Type, Comments, Cover };

// The download window as the engine writes to it. Every method has a do-nothing default so that
// a test or the command line implements only what it observes.
class EngineDisplay {
  public:
    virtual ~EngineDisplay() = default;
    // A field was filled: show its text and mark it (ticked, dark green).
    virtual void showField(RecordField /*field*/, const std::string& /*text*/) {}
    // Empty the seven fields and clear their marks.
    virtual void resetLiveView() {}
    // The trimmed title handed to the window itself (shown in its caption).
    virtual void showTitleCaption(const std::string& /*title*/) {}
    // The engine's status line ("Page Found...Gathering Information").
    virtual void showStatus(const std::string& /*text*/) {}
    // The completion label: hidden while a page is fetched, "Download Completato !" in green
    // after a channel-day's blocks.
    virtual void hideCompletion() {}
    virtual void showCompletion(const std::string& /*text*/) {}
    // One line of the download log.
    virtual void appendLog(const std::string& /*line*/) {}
    // Byte counters of the current page and of the download run ("12 KBytes"), and the average
    // speed ("3.50 KByte/Sec", ".50 KByte/Sec") when it could be computed.
    virtual void showTransfer(const std::string& /*pageText*/, const std::string& /*sessionText*/,
                              const std::optional<std::string>& /*speedText*/) {}
    // A poster was downloaded and decoded: the picture to show.
    virtual void showPoster(const std::filesystem::path& /*picture*/) {}
    // A cover was filed under covers/ with this file name.
    virtual void coverFiled(const std::string& /*fileName*/) {}
    // A failure reported in the third panel of the main window's status bar.
    virtual void showMainStatus(const std::string& /*text*/) {}
};

// The settings the engine reads while it runs. Values that the user can change in the middle of a
// download (the script-error flag, the type list) are read afresh at every call.
class EngineSettings {
  public:
    virtual ~EngineSettings() = default;
    virtual bool listOnly() const = 0;                         // "Scarica Solo La Lista (Veloce)"
    virtual bool takeOnlyListed() const = 0;                   // details only for the listed types
    virtual std::vector<std::string> importTypes() const = 0;  // the Importa list
    virtual bool openListingInBrowser() const = 0;             // "Apri Una Finestra Di Explorer"
    virtual int scriptErrorFlag() const = 0;                   // the flag at position 7 of Config
    virtual bool checkUpdate() const = 0;          // update check before the first download
    virtual std::string listingsHost() const = 0;  // host[:port] of the listings site
    virtual std::string updateHost() const = 0;    // host[:port] of the release file
};

// How a download into a file ended.
enum class Delivery {
    Whole,      // the whole body arrived
    BrokenOff,  // part of the body arrived, then the transfer broke off (kept in the file)
    NotOpened,  // the address could not be opened; the file is empty
};

// HTTP GET of listing pages, detail pages, posters and the release file.
class PageFetcher {
  public:
    virtual ~PageFetcher() = default;
    // Streams the body of url into file (replacing it), calling onBytes with the size of every
    // chunk received. Returns false when the address cannot be opened (no connection, refused,
    // an HTTP error status, a stall past the time-outs before any body arrived): the file is then
    // left empty. A transfer that breaks off in the middle keeps what arrived and returns true.
    virtual bool downloadToFile(const std::string& url, const std::filesystem::path& file,
                                const std::function<void(std::size_t)>& onBytes) = 0;
    // The same, telling a body that broke off from a whole one, so that a listing cut short is
    // never taken for the channel's whole day. A fetcher that cannot tell (pages from memory)
    // reports every body that arrived as whole; a fetcher that wraps another hands this on.
    virtual Delivery deliverToFile(const std::string& url, const std::filesystem::path& file,
                                   const std::function<void(std::size_t)>& onBytes) {
        return downloadToFile(url, file, onBytes) ? Delivery::Whole : Delivery::NotOpened;
    }
    // The body as text, or no value when the address cannot be opened.
    virtual std::optional<std::string> downloadToText(const std::string& url) = 0;
};

// Where #SAVEDATA# puts a finished programme. Throws StoreError when the row cannot be stored.
class ProgrammeSink {
  public:
    virtual ~ProgrammeSink() = default;
    virtual void save(const ProgrammeRow& row) = 0;
};

}  // namespace zelidor
