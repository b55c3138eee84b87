#!/usr/bin/env python3
"""Writes the demo site that ./run.sh snipfetch serves: a handful of sniplets in
site/Sniplets/, each as snipforge writes it (the system's ANSI code page, 1252
here; every line ends in CR LF), and the catalogue Sniplets.txt that lists them.
The files are kept in the repository; run this after changing a sniplet here."""
import pathlib

# name, author, description, 16-bit code, 32-bit code, 16-bit module text, 32-bit module text
SNIPLETS = [
    ("Messagebox window handle", "Dozovad",
     "This code creates a message box that shows the handle of the window.",
     'Msgbox CStr(*), 16, "Window Handle"', 'Msgbox CStr(*), 16, "Window Handle"', "", ""),
    ("Keep window on top", "Dozovad",
     "Keeps the window above all others until it is closed.",
     "SetWindowPos *, -1, 0, 0, 0, 0, 3", "SetWindowPos *, -1, 0, 0, 0, 0, 3",
     'Declare Sub SetWindowPos Lib "User" (ByVal hWnd As Integer, ByVal hWndAfter As Integer,'
     " ByVal X As Integer, ByVal Y As Integer, ByVal cx As Integer, ByVal cy As Integer,"
     " ByVal Flags As Integer)",
     'Declare Function SetWindowPos Lib "user32" (ByVal hWnd As Long, ByVal hWndAfter As Long,'
     " ByVal X As Long, ByVal Y As Long, ByVal cx As Long, ByVal cy As Long,"
     " ByVal Flags As Long) As Long"),
    ("Flash the caption", "Mira Ostrander",
     "Flashes the window's caption once to ask for the user's attention.",
     "FlashWindow *, 1", "FlashWindow *, 1",
     'Declare Function FlashWindow Lib "User" (ByVal hWnd As Integer, ByVal bInvert As Integer)'
     " As Integer",
     'Declare Function FlashWindow Lib "user32" (ByVal hWnd As Long, ByVal bInvert As Long)'
     " As Long"),
    ("Center on screen", "Mira Ostrander",
     "Moves the window to the middle of the screen.",
     "Move (Screen.Width - Width) \\ 2, (Screen.Height - Height) \\ 2",
     "Move (Screen.Width - Width) \\ 2, (Screen.Height - Height) \\ 2", "", ""),
    ("Beep twice", "Tomas Keel",
     "Sounds the system beep two times, for a short alert without a message box.",
     "Beep\r\nBeep", "Beep\r\nBeep", "", ""),
]


def sniplet_bytes(fields):
    name, author, description, code16, code32, module16, module32 = fields
    items = ["Sniplet File", name, author, description,
             code16, "---", code32, "---", module16, "---", module32, "---"]
    return "".join(item + "\r\n" for item in items).encode("cp1252")


def main():
    folder = pathlib.Path(__file__).resolve().parent / "site" / "Sniplets"
    folder.mkdir(parents=True, exist_ok=True)
    catalogue = ""
    for fields in SNIPLETS:
        file_name = fields[0] + ".snp"
        (folder / file_name).write_bytes(sniplet_bytes(fields))
        catalogue += file_name + "\r\n"
    (folder / "Sniplets.txt").write_bytes(catalogue.encode("cp1252"))


if __name__ == "__main__":
    main()
