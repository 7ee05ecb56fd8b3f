#include "ValuesWindow.h"

#include "Controls.h"
#include "ParameterKeys.h"

namespace {

constexpr float kWidth = 320.0f;
constexpr float kRowHeight = 26.0f;
constexpr float kMargin = 10.0f;
constexpr float kDivider = 90.0f;

// The typed keys in the table's order.
std::vector<ParameterKey> TypedKeys()
{
    const PictureDescription picture;
    std::vector<ParameterKey> keys;
    ForEachParameterKey(picture, [&keys](const ParameterKey& key, const auto&) {
        if (key.typed)
            keys.push_back(key);
    });
    return keys;
}

float WindowHeight()
{
    return kMargin + kRowHeight * static_cast<float>(TypedKeys().size() + 2) + kMargin;
}

} // namespace

TValuesWindow::TValuesWindow(BLooper* target)
    : THeldWindow(BRect(520, 300, 520 + kWidth, 300 + WindowHeight()), "Values")
{
    float top = kMargin;
    for (const ParameterKey& key : TypedKeys()) {
        auto* field = new BTextControl(BRect(kMargin, top, kWidth - kMargin, top + kRowHeight - 6), key.key, key.key,
                                       "", nullptr);
        field->SetDivider(kDivider);
        AddChild(field);
        fFields.push_back(field);
        top += kRowHeight;
    }
    fComplaint = new BStringView(BRect(kMargin, top, kWidth - kMargin, top + kRowHeight - 6), "complaint", "");
    AddChild(fComplaint);
    top += kRowHeight;
    auto* apply = new BButton(BRect(kWidth - kMargin - 80, top, kWidth - kMargin, top + kRowHeight - 4), "apply",
                              "Apply", new BMessage(kApplyValuesCommand));
    apply->SetTarget(target);
    apply->MakeDefault(true);
    AddChild(apply);
}

void TValuesWindow::Fill(const PictureDescription& picture)
{
    std::size_t k = 0;
    ForEachParameterKey(picture, [&](const ParameterKey& key, const auto& field) {
        if (key.typed)
            fFields[k++]->SetText(ValueText(field).c_str());
    });
    fComplaint->SetText("");
}

std::optional<PictureDescription> TValuesWindow::Read(PictureDescription picture)
{
    std::size_t k = 0;
    std::optional<std::string> complaint;
    ForEachParameterKey(picture, [&](const ParameterKey& key, auto& field) {
        if (!key.typed)
            return;
        const std::string text = fFields[k++]->Text();
        if (!complaint)
            complaint = ReadKeyValue(key, field, text);
    });
    fComplaint->SetText(complaint.value_or("").c_str());
    if (complaint)
        return std::nullopt;
    return picture;
}
