"""The virtual display for monitors side by side, which monitor tests run on: an Xephyr whose two
Xinerama heads, 1024 x 768 and 800 x 600, lie left to right (the second at 1024,0) on one X screen
of 1824 x 768, and which Wine (told by the session to take its monitors from Xinerama) reports as
two monitors there, the first one primary."""

from e2e import run_test

MONITORS = ((1024, 768), (800, 600))


def main(session):
    heads = session.display.heads()
    session.expect(heads == [(0, 0, 1024, 768), (1024, 0, 800, 600)],
                   f"the X server's Xinerama heads are {heads}")
    size = session.screenshot("screen").size
    session.expect(size == (1824, 768), f"a screenshot is {size[0]} x {size[1]}, not 1824 x 768")
    listed = session.wine_run([session.harness("list_monitors")]).stdout.splitlines()
    session.note(f"Wine's monitors: {listed}")
    session.expect(sorted(listed) == ["monitor 0 0 1024 768 primary", "monitor 1024 0 1824 600"],
                   f"Wine reports the monitors {listed}")


if __name__ == "__main__":
    run_test(main, screens=MONITORS, side_by_side=True)
