#include "toolkit/controls/Dialogs.h"

namespace {

ICommonDialogs* Service = nullptr;

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
    parts.push_back(text.substr(start, at - start));
  parts.push_back(text.substr(start));
  return parts;
}

TDialogAnswer Ask(const TDialogRequest& request) {
  if (!Service) return {};
  return Service->Run(request);
}

TFontChoice ChoiceOf(const TFont& font) { return {font.Name(), font.Height(), font.Style(), font.Color()}; }

}  // namespace

std::vector<TFileFilter> ParseFileFilter(const std::string& filter) {
  std::vector<TFileFilter> filters;
  if (filter.empty()) return filters;
  const std::vector<std::string> parts = Split(filter, '|');
  for (size_t i = 0; i + 1 < parts.size(); i += 2) filters.push_back({parts[i], Split(parts[i + 1], ';')});
  return filters;
}

void SetCommonDialogs(ICommonDialogs* dialogs) { Service = dialogs; }

ICommonDialogs* CommonDialogs() { return Service; }

bool TOpenDialog::Execute(HWND owner) {
  TDialogRequest request;
  request.Kind = Kind();
  request.Owner = owner;
  request.Title = Title;
  request.Filters = ParseFileFilter(Filter);
  request.FilterIndex = FilterIndex;
  request.Folder = InitialDir;
  request.FileName = FileName;
  request.DefaultExt = !DefaultExt.empty() && DefaultExt.front() == '.' ? DefaultExt.substr(1) : DefaultExt;
  request.Options = Options;
  const TDialogAnswer answer = Ask(request);
  if (!answer.Confirmed) return false;
  FileName = answer.FileName;
  FilterIndex = answer.FilterIndex;
  return true;
}

bool TColorDialog::Execute(HWND owner) {
  TDialogRequest request;
  request.Kind = TDialogKind::Color;
  request.Owner = owner;
  request.Color = Color;
  const TDialogAnswer answer = Ask(request);
  if (answer.Confirmed) Color = answer.Color;
  return answer.Confirmed;
}

bool TFontDialog::Execute(HWND owner) {
  TDialogRequest request;
  request.Kind = TDialogKind::Font;
  request.Owner = owner;
  request.Font = ChoiceOf(font_);
  const TDialogAnswer answer = Ask(request);
  if (!answer.Confirmed) return false;
  font_.SetName(answer.Font.Name);
  font_.SetHeight(answer.Font.Height);
  font_.SetStyle(answer.Font.Style);
  font_.SetColor(answer.Font.Color);
  return true;
}

bool SelectFolder(const std::string& title, std::string& folder, HWND owner) {
  TDialogRequest request;
  request.Kind = TDialogKind::Folder;
  request.Owner = owner;
  request.Title = title;
  request.Folder = folder;
  const TDialogAnswer answer = Ask(request);
  if (answer.Confirmed) folder = answer.Folder;
  return answer.Confirmed;
}
