#include "monitor/files/view_file.h"

#include <cstdio>
#include <cstring>

#include "common/message_text.h"
#include "common/settings_line.h"
#include "common/settings_reader.h"
#include "common/write_outcome.h"
#include "monitor/grid/columns.h"

namespace zorvel {
namespace {

enum Section { kNone = 0, kProgram = 1, kCell = 2 };
const char* const kSections[] = {"program", nullptr};
enum ProgramKey { kWindow, kFontHeight, kFontFace };
const char* const kProgramKeys[] = {"Window", "FontHeight", "FontFace", nullptr};
enum CellKey { kInput, kType, kCalc, kWidth, kColor0, kColor1 };
const char* const kCellKeys[] = {"Input", "Type", "Calc", "Width", "Color0", "Color1", nullptr};

void CopyCut(char* field, size_t size, const char* text) {
    std::memset(field, 0, size);
    std::strncpy(field, text, size - 1);
}

uint32_t PackColour(const char* value) {
    int rgb[3] = {0, 0, 0};
    common::ParseIntList(value, rgb, 3);
    return Rgb(rgb[0] & 0xFF, rgb[1] & 0xFF, rgb[2] & 0xFF);
}

uint16_t Low16(const char* value) {
    return static_cast<uint16_t>(common::IntValue(value) & 0xFFFF);
}

class ViewHandler : public common::SettingsReaderHandler {
public:
    ViewHandler(ViewState& view, common::Alerts& alerts) : view_(view), alerts_(alerts) {}

    int Columns() const { return column_ + 1; }

    const char* const* SectionTable() const override { return kSections; }

    int OnSection(const char* name) override {
        if (common::FindKeyword(name, kSections) == 0) {
            return kProgram;
        }
        if (std::strncmp(name, "Cell", 4) != 0) {
            return kNone;
        }
        // Sections past the 70th keep overwriting the 70th column.
        if (column_ < kMaxColumns - 1) {
            ++column_;
        }
        ColumnDef& column = view_.Columns[column_];
        CopyCut(column.Name, sizeof column.Name, name + 4);
        return kCell;
    }

    const char* const* KeyTable(int section) const override {
        return section == kProgram ? kProgramKeys : section == kCell ? kCellKeys : nullptr;
    }

    void OnEntry(int section, int key, const char*, char* value) override {
        if (section == kProgram) {
            ProgramEntry(key, value);
        } else {
            CellEntry(view_.Columns[column_], key, value);
        }
    }

    void OnBadKey(int section, const char* key, const char* value) override {
        const char* format =
            section == kProgram ? "Bad program section key:%s, val:%s" : "Bad Cell section key:%s, val:%s";
        alerts_.Alert(common::FormatMessageTextF(format, key, value));
    }

private:
    void ProgramEntry(int key, const char* value) {
        switch (key) {
            case kWindow: view_.Window = common::WindowRectangleValue(value); break;
            case kFontHeight: view_.Font.Height = common::IntValue(value); break;
            case kFontFace: CopyCut(view_.Font.Face, sizeof view_.Font.Face, value); break;
            default: break;
        }
    }

    static void CellEntry(ColumnDef& column, int key, const char* value) {
        switch (key) {
            case kInput: column.Input = Low16(value); break;
            case kType: column.Type = Low16(value); break;
            case kCalc: column.Calc = Low16(value); break;
            case kWidth: column.Width = Low16(value); break;
            case kColor0: column.Color0 = PackColour(value); break;
            case kColor1: column.Color1 = PackColour(value); break;
            default: break;
        }
    }

    ViewState& view_;
    common::Alerts& alerts_;
    int column_ = -1;
};

bool WriteColour(std::FILE* out, const char* key, uint32_t colour) {
    return colour == 0 ||
           std::fprintf(out, "%s=%u,%u,%u\r\n", key, colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF) > 0;
}

bool WriteLayout(std::FILE* out, const ViewState& view) {
    bool ok = std::fprintf(out,
                           ";---- TarnelPort Monitor Program View Configuration File.\r\n\r\n"
                           "[program]\r\nwindow=%d,%d,%d,%d\r\nFontHeight=%d\r\nFontFace=%s\r\n\r\n",
                           view.Window.Left, view.Window.Top, view.Window.Width, view.Window.Height, view.Font.Height,
                           view.Font.Face) > 0;
    for (int i = 0; i < view.ColumnCount && ok; ++i) {
        const ColumnDef& column = view.Columns[i];
        ok = std::fprintf(out, "[Cell%s]\r\n", column.Name) > 0;
        ok = common::WriteIntSetting(out, "Input", column.Input) && ok;
        ok = common::WriteIntSetting(out, "Calc", column.Calc) && ok;
        ok = common::WriteIntSetting(out, "Width", column.Width) && ok;
        ok = common::WriteIntSetting(out, "Type", column.Type) && ok;
        ok = WriteColour(out, "Color0", column.Color0) && ok;
        ok = WriteColour(out, "Color1", column.Color1) && ok;
        ok = std::fputs("\r\n", out) >= 0 && ok;
    }
    return ok;
}

}  // namespace

int ReadViewFile(ViewState& view, const char* path, int statisticCount, common::Alerts& alerts) {
    view.ViewPath = path;
    std::memset(view.Columns, 0, sizeof(ColumnDef) * kMaxColumns);
    ViewHandler handler(view, alerts);
    if (!common::ReadSectionedFile(path, handler)) {
        view.Window = {};
    }
    view.ColumnCount = handler.Columns();
    if (view.ColumnCount == 0) {
        DefaultView(view, statisticCount);
    }
    return 0;
}

int WriteViewFile(ViewState& view, const char* path, common::Alerts& alerts) {
    if (path != nullptr) {
        view.ViewPath = path;
    }
    const common::WriteResult result =
        common::ReplaceWholeFile(view.ViewPath, [&view](std::FILE* out) { return WriteLayout(out, view); });
    return common::ReportWriteOutcome(result, view.ViewPath.c_str(), alerts);
}

}  // namespace zorvel
