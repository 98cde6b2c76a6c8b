#pragma once
// Makes the English language library's tables the resource module's for as long as it lives, as
// the plug-in does when the host speaks English. The library is loaded from the build's bin
// folder once and kept for the whole run.
class EnglishResourceScope {
public:
    EnglishResourceScope();
    ~EnglishResourceScope();
    bool loaded() const { return loaded_; }

private:
    bool loaded_ = false;
};
