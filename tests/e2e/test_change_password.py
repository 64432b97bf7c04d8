"""The password-change request (/a <hwnd>) through MPR.DLL: Wine's library exports
PwdChangePasswordA, so the request is made and the run ends with exit code 0 and no message of
ours. Without the library, or with one that lacks the export, our message box is shown and the
exit code is 1."""

import shutil

from e2e import ON_SCREEN, run_test

NO_LIBRARY = "File MPR.DLL not found! (This file needed for change password.)"
NO_FUNCTION = ("Function PwdChangePasswordA in file MPR.DLL not fount! "
               "(This function needed for change password.)")
OVERRIDES = "mscoree,mshtml="


def request_made(session, switches):
    what = " ".join(switches) + " with Wine's MPR.DLL"
    saver = session.start_saver(*switches)
    code = session.wait_exit(saver, ON_SCREEN)
    session.expect(code == 0, f"{what}: exit code {code}, expected 0")
    if code is None:
        # Still running: see whether it shows a box of ours, for the report.
        box = session.wine_run([session.harness("read_box"), "Quorvane", "2000", "press"],
                               check=False)
        session.expect(False, f"{what}: still running; box: {box.stdout.splitlines()}")
        saver.kill()


def message_shown(session, what, expected, overrides):
    saver = session.start_saver("/a", "1234", env_extra={"WINEDLLOVERRIDES": overrides})
    box = session.wine_run([session.harness("read_box"), "Quorvane", str(ON_SCREEN * 1000), "press"],
                           check=False)
    lines = box.stdout.splitlines()
    session.expect(f"text {expected}" in lines, f"{what}: the box says {lines}")
    session.expect([line for line in lines if line.startswith("button")] == ["button OK"],
                   f"{what}: not an OK box: {lines}")
    code = session.wait_exit(saver)
    session.expect(code == 1, f"{what}: exit code {code}, expected 1")
    if code is None:
        saver.kill()


def main(session):
    for switches in (["/a", "1234"], ["/a:1234"], ["-A", "77"]):
        request_made(session, switches)
    message_shown(session, "MPR.DLL disabled", NO_LIBRARY, OVERRIDES + ";mpr=d")
    # Our own MPR.DLL without the export, in place of Wine's.
    mpr = session.unix_path(r"C:\windows\system32\mpr.dll")
    mpr.unlink()
    shutil.copyfile(session.config["fake_mpr"], mpr)
    message_shown(session, "MPR.DLL without PwdChangePasswordA", NO_FUNCTION,
                  OVERRIDES + ";mpr=n")


if __name__ == "__main__":
    run_test(main)
