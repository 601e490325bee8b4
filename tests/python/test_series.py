"""tav.series and tav.williamson_hall as tav-cli's `series` and
`williamson-hall`, the progress callback, and report_frame."""

import glob
import os
import signal
import tempfile
import time
import unittest

import tav
import tavcli

NACL = "AE4895-Measurement_strategies__XRD_NaCl_Theta_2-Theta.asc"


def scans():
    first = tavcli.shared("datalab__Scan_C1.xrdml")
    return sorted(glob.glob(os.path.join(os.path.dirname(first), "datalab__Scan_C*.xrdml")))


class SeriesTest(unittest.TestCase):
    def setUp(self):
        self.files = scans()
        # A missing file among them fails on its own row.
        self.files.append(os.path.join(os.path.dirname(self.files[0]), "missing.xrdml"))
        self.profile = tav.open(self.files[0])
        self.peaks = [(51.97735038683194, 22106.25174825175), (52.2, 11000.0)]
        self.fit = tav.Fit(self.profile, 51.0, 53.0, peaks=self.peaks, doublet=True)

    def cli_rows(self, mode, jobs):
        with tempfile.TemporaryDirectory() as folder:
            out = os.path.join(folder, "series.csv")
            script = [f"open auto {tavcli.quoted(self.files[0])}", "range 51.0 53.0 0 1",
                      "conditions pvoigt 0.001", "initial-width data", "doublet on",
                      "peak-mode"]
            script += [f"peak {tavcli.number(x)} {tavcli.number(y)}" for x, y in self.peaks]
            script += [f"series-mode {mode}", f"series-jobs {jobs}",
                       "series " + " ".join(tavcli.quoted(f) for f in [out] + self.files)]
            tavcli.run("\n".join(script))
            return tavcli.read_csv(out)

    def assert_rows_as_tav_cli(self, rows, mode, jobs):
        header, expected = self.cli_rows(mode, jobs)
        self.assertEqual(len(rows), len(expected))
        for mine, theirs in zip(rows, expected):
            self.assertEqual(list(mine), header)
            self.assertEqual({k: tavcli.cell(v) for k, v in mine.items()}, theirs)

    def test_chained_and_independent_as_tav_cli(self):
        for mode, jobs in (("chain", 1), ("independent", 2)):
            with self.subTest(mode):
                rows = tav.series(self.files, self.fit, mode=mode, jobs=jobs)
                self.assertEqual(len(rows), 2 * len(self.files))
                self.assertTrue(rows[-1]["status"].startswith("failed: "))
                self.assertEqual(rows[0]["status"], "ok")
                self.assert_rows_as_tav_cli(rows, mode, jobs)

    def test_progress_is_told_and_can_stop_the_series(self):
        told = []
        tav.series(self.files, self.fit, progress=lambda *args: told.append(args))
        self.assertEqual([t[:2] for t in told], [(i + 1, len(self.files))
                                                 for i in range(len(self.files))])
        self.assertEqual(sorted(t[2] for t in told), sorted(self.files))

        class Stop(Exception):
            pass

        def stop(done, total, path, status):
            raise Stop(path)

        with self.assertRaises(Stop):
            tav.series(self.files, self.fit, progress=stop)

    def test_ctrl_c_stops_the_series(self):
        told = []

        def interrupt(*args):
            told.append(args)
            os.kill(os.getpid(), signal.SIGINT)
            time.sleep(0.2)

        with self.assertRaises(KeyboardInterrupt):
            tav.series(self.files, self.fit, progress=interrupt)
        self.assertLess(len(told), len(self.files))

    def test_bad_arguments(self):
        with self.assertRaises(ValueError):
            tav.series(self.files, self.fit, mode="parallel")
        with self.assertRaises(ValueError):
            tav.series(self.files, self.fit, jobs=0)


class WilliamsonHallTest(unittest.TestCase):
    def test_as_tav_cli(self):
        path = tavcli.shared(NACL)
        p = tav.open(path)
        peaks = tav.find_peaks(p, 25, 60, max=5)
        result = tav.Fit(p, 25, 60, peaks=peaks, doublet=True).run()
        script = [f"open auto {tavcli.quoted(path)}", "range 25 60 0 1",
                  "conditions pvoigt 0.001", "initial-width data", "doublet on",
                  "step-messages off", "peak-mode"]
        script += [f"peak {tavcli.number(x)} {tavcli.number(y)}" for x, y in peaks]
        script += ["fit"] * result.runs
        for breadth, k, b in (("fwhm", None, None), ("integral", 0.94, 0.05)):
            with self.subTest(breadth):
                extra = [f"scherrer {k} {b}"] if k else []
                out, err = tavcli.run("\n".join(script + extra + [f"williamson-hall {breadth}"]))
                wh = tav.williamson_hall(result, breadth, scherrer_k=k, instrumental_fwhm=b)
                notes = wh.pop("notes")
                points = wh.pop("points")
                self.assertEqual(wh, tavcli.json_line(out, '{"peaks"'))
                self.assertEqual(notes, tavcli.notes(err))
                self.assertEqual(len(points), wh["peaks"])

    def test_fewer_than_two_peaks(self):
        p = tav.open(tavcli.shared(NACL))
        result = tav.Fit(p, 30, 34, peaks=tav.find_peaks(p, 30, 34)).run()
        with self.assertRaises(tav.FitError):
            tav.williamson_hall(result)
        with self.assertRaises(ValueError):
            tav.williamson_hall(result, "area")


class ReportFrameTest(unittest.TestCase):
    def test_the_report_as_a_data_frame(self):
        try:
            import pandas  # noqa: F401
        except ImportError:
            self.skipTest("pandas is not installed")
        p = tav.open(tavcli.shared(NACL))
        result = tav.Fit(p, 44, 58, peaks=tav.find_peaks(p, 44, 58)).run()
        frame = result.report_frame()
        self.assertEqual(list(frame.columns), list(result.report[0]))
        self.assertEqual(frame["position"].tolist(), [r["position"] for r in result.report])
        self.assertEqual(str(frame["position"].dtype), "float64")


if __name__ == "__main__":
    unittest.main()
