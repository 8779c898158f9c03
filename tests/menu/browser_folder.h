// A private folder of fake browsers for the web-help scenarios. While it exists, the add-in's
// launches by name and its file searches find the fakes there before any browser of the system.
// A fake records what it was given in NAME.received beside itself: the path of the program
// that ran, then each argument, one a line.
#pragma once

#include <string>

namespace menu_test {

class BrowserFolder {
public:
    BrowserFolder();  // makes the folder and points the searches at it
    ~BrowserFolder();  // gives the searches back and removes the folder with everything in it
    BrowserFolder(const BrowserFolder&) = delete;
    BrowserFolder& operator=(const BrowserFolder&) = delete;

    bool ready() const { return !folder_.empty(); }
    // The full path of NAME in the folder, as the system writes it.
    std::string file(const std::string& name) const;
    // A fake browser NAME; one that is not startable is found but fails to start. False when
    // the file could not be made.
    bool add_fake(const std::string& name, bool startable = true);
    // What fake NAME recorded; empty when it never ran. Wait for launched programs first.
    std::string received(const std::string& name) const;

private:
    std::string folder_, saved_path_, saved_directory_;
    bool had_path_ = false;
};

}  // namespace menu_test
