#pragma once
// Recording fakes of the views the model talks to: each call becomes one line
// of text in a shared log, so tests can check what happened and in what order.
#include <string>
#include <vector>

#include "model/EditorHooks.h"
#include "model/ErrorList.h"
#include "model/Province.h"

using CallLog = std::vector<std::string>;

class RecordingProgress : public IProgressDisplay {
public:
    void Start(const std::string& caption, int maximum) override
    {
        calls.push_back("start " + caption + " " + std::to_string(maximum));
        shown = true;
    }
    void Step(int position) override { calls.push_back("step " + std::to_string(position)); }
    void End() override
    {
        calls.push_back("end");
        shown = false;
    }

    std::vector<std::string> calls;
    bool shown = false;
};

class RecordingWorldView : public IWorldView {
public:
    explicit RecordingWorldView(CallLog& log) : log_(log) {}
    void DrawPiece(int index) override { log_.push_back("draw " + std::to_string(index)); }
    void RebuildPiecePicture(int index) override { log_.push_back("rebuild " + std::to_string(index)); }
    void CenterView(int x, int y) override { log_.push_back("center " + std::to_string(x) + "," + std::to_string(y)); }
    // Provinces are named by their marker x in the log.
    void ForgetProvince(CProvince& province) override { log_.push_back("forget " + std::to_string(province.markerX)); }

private:
    CallLog& log_;
};

class RecordingProjectViews : public IProjectViews {
public:
    explicit RecordingProjectViews(CallLog& log) : log_(log) {}
    void ProvincesDeleted() override { log_.push_back("provinces deleted"); }

private:
    CallLog& log_;
};

class RecordingWarningsView : public IWarningsView {
public:
    explicit RecordingWarningsView(CallLog& log) : log_(log) {}
    void ClearRows() override { log_.push_back("clear rows"); }
    void AddRow(const std::string& text, CErrorList::CErrorBase*, int imageIndex) override
    {
        log_.push_back("row " + text + " [" + std::to_string(imageIndex) + "]");
    }

private:
    CallLog& log_;
};
