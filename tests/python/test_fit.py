"""tav.Fit, its result and the peak search: every field equals what tav-cli
prints for the same work, all digits; bad options raise; the GIL is let go
while a fit runs."""

import os
import tempfile
import threading
import time
import unittest

import numpy as np

import tav
import tavcli

NACL = "AE4895-Measurement_strategies__XRD_NaCl_Theta_2-Theta.asc"
LAB6 = "GSAS-II__11bmb_3844_LaB6_SRM660a.xye"

SHAPE_PARAMETER = {"pvoigt": "eta", "pearson7": "m", "spvoigt": "eta_left"}


def cli_constraint_commands(constraints):
    """The tav-cli commands of a constraints argument (list form)."""
    commands = []
    for c in constraints:
        peak, name = c["peak"], c["name"]
        if c.get("fixed"):
            commands.append(f"fix {peak} {name}")
        if "lower" in c or "upper" in c:
            lower = c.get("lower", float("-inf"))
            upper = c.get("upper", float("inf"))
            commands.append(f"bound {peak} {name} {tavcli.number(lower)} {tavcli.number(upper)}")
    return commands


class SameWork:
    """One fit set up in Python and as a tav-cli script, run in both."""

    def __init__(self, name, xmin, xmax, find=None, shape="pvoigt", tolerance=0.001,
                 weights="unit", doublet=False, initial_width="data", max_peaks=10,
                 constraints=(), share_width=False, peaks=None, keys=None, wavelengths=None,
                 background_order=1):
        self.path = tavcli.shared(name)
        self.profile = tav.open(self.path)
        if wavelengths:
            self.profile = self.profile.with_wavelengths(*wavelengths)
        self.peaks = peaks or tav.find_peaks(self.profile, xmin, xmax, **(find or {}))
        options = dict(shape=shape, tolerance=tolerance, weights=weights, doublet=doublet,
                       initial_width=initial_width, max_peaks=max_peaks)
        if background_order != 1:
            options["background_order"] = background_order
        if constraints or share_width:
            options["constraints"] = {"parameters": list(constraints), "share_width": share_width}
        self.fit = tav.Fit(self.profile, xmin, xmax, peaks=self.peaks, **options)
        self.script = [f"open auto {tavcli.quoted(self.path)}", f"max-peaks {max_peaks}",
                       f"range {xmin} {xmax} 0 1", f"conditions {shape} {tolerance}",
                       f"initial-width {initial_width}", f"weights {weights}",
                       "doublet on" if doublet else "doublet off", "step-messages off",
                       "peak-mode", f"background-order {background_order}"]
        if wavelengths:
            self.script.insert(1, "wavelength " + " ".join(map(tavcli.number, wavelengths)))
        for i, (x, y, *_) in enumerate(self.peaks):
            self.script.append(f"peak {tavcli.number(x)} {tavcli.number(y)}")
            self.script += (keys or {}).get(i, [])
        self.script += cli_constraint_commands(constraints)
        if share_width:
            self.script.append("share width")

    def run(self):
        self.result = self.fit.run()
        with tempfile.TemporaryDirectory() as folder:
            report = os.path.join(folder, "report.csv")
            export = os.path.join(folder, "fit.csv")
            script = self.script + ["fit"] * self.result.runs + [
                f"report {tavcli.quoted(report)}", "fit-stats", "correlations", "state",
                f"export-fit {tavcli.quoted(export)}"]
            self.out, self.err = tavcli.run("\n".join(script))
            self.report = tavcli.read_csv(report)
            self.export = tavcli.read_csv(export)
        return self.result


class ComparesWithTavCli:
    """Compares a fit with tav-cli's, every field."""

    def assert_same(self, work):
        r = work.run()
        header, rows = work.report
        self.assertEqual(len(r.report), len(rows))
        for mine, theirs in zip(r.report, rows):
            self.assertEqual(list(mine), header)
            self.assertEqual({k: tavcli.cell(v) for k, v in mine.items()}, theirs)
        self.assertEqual(r.stats, tavcli.json_line(work.out, '{"npt"'))
        correlations = tavcli.json_line(work.out, '{"parameters"')
        self.assertEqual(r.correlations["parameters"], correlations["parameters"])
        matrix = np.array(correlations["correlations"], dtype=float)
        self.assertEqual(r.correlations["correlations"].dtype, np.float64)
        np.testing.assert_array_equal(r.correlations["correlations"], matrix)
        self.assertEqual(r.notes + r.correlations["notes"], tavcli.notes(work.err))
        self.assertEqual(r.messages, tavcli.messages(work.out))
        self.assert_parameters_as_state(r, tavcli.json_line(work.out, '{"doc"'))
        self.assert_curves_as_export(r, work.export)
        return r

    def assert_parameters_as_state(self, r, state):
        view = state["view"]
        n = len(r.report)
        shape = r.report[0]["shape"]
        for k in range(1, n + 1):
            self.assertEqual(r.parameters[f"height_{k}"], view["m_height"][k - 1])
            self.assertEqual(r.parameters[f"position_{k}"], view["m_position"][k - 1])
            width = "width_left" if shape == "spvoigt" else "width"
            self.assertEqual(r.parameters[f"{width}_{k}"], view["m_width"][k - 1])
            if shape in SHAPE_PARAMETER:
                self.assertEqual(r.parameters[f"{SHAPE_PARAMETER[shape]}_{k}"],
                                 view["m_shapeParam"][k - 1])
        self.assertEqual((r.parameters["slope"], r.parameters["intercept"]),
                         (view["m_bgA"], view["m_bgB"]))

    def assert_curves_as_export(self, r, export):
        header, rows = export
        x = np.array([float(row["x"]) for row in rows])
        column = lambda name: np.array([float(row[name]) for row in rows])
        for array in (r.model(x), r.background(x)):
            self.assertEqual(array.dtype, np.float64)
            self.assertEqual(array.shape, x.shape)
        np.testing.assert_array_equal(r.model(x), column("model"))
        np.testing.assert_array_equal(r.background(x), column("background"))
        components = r.components(x)
        self.assertEqual(components.shape, (len(r.report), len(x)))
        for k in range(len(r.report)):
            np.testing.assert_array_equal(components[k], column(f"peak{k + 1}"))
        # A list of numbers is taken as well as an array.
        self.assertEqual(r.model(list(x[:3])).tolist(), r.model(x[:3]).tolist())


class FitAsTavCliTest(ComparesWithTavCli, unittest.TestCase):
    def test_pseudo_voigt_with_widths_from_the_data(self):
        r = self.assert_same(SameWork(NACL, 30, 34))
        self.assertTrue(r.converged)
        self.assertEqual(r.report[0]["shape"], "pvoigt")

    def test_doublet_under_counting_weights(self):
        r = self.assert_same(SameWork(NACL, 44, 58, doublet=True, weights="counts"))
        self.assertEqual(r.stats["weights"], "counts")
        self.assertIsNotNone(r.stats["gof"])

    def test_constraints_and_other_shapes(self):
        for shape in ("gauss", "lorentz", "pearson7", "spvoigt"):
            with self.subTest(shape):
                constraints = [{"peak": "background", "name": "slope", "fixed": True},
                               {"peak": 1, "name": "position", "lower": 45.3, "upper": 45.5}]
                self.assert_same(SameWork(NACL, 44, 58, shape=shape, initial_width="range",
                                          constraints=constraints, share_width=True))

    def test_wavelengths_stated_for_an_xy_file(self):
        work = SameWork("datalab__example_ocx.xy", 66, 72, find={"max": 3, "snr": 0.5},
                        doublet=True, wavelengths=(1.5406, 1.5444, 0.5))
        self.assertIsNone(tav.open(work.path).wavelengths[0])
        self.assertEqual(work.profile.wavelengths, (1.5406, 1.5444))
        r = self.assert_same(work)
        self.assertIsNotNone(r.report[0]["d"])

    def test_a_background_series_refined_with_the_peaks(self):
        work = SameWork(NACL, 25, 60, find={"max": 5}, background_order=3)
        r = work.run()
        self.assertEqual(r.stats, tavcli.json_line(work.out, '{"npt"'))
        self.assertEqual([name for name in r.parameters if name.startswith("c")],
                         ["c0", "c1", "c2", "c3"])
        self.assert_curves_as_export(r, work.export)

    def test_more_peaks_than_ten(self):
        r = self.assert_same(SameWork(LAB6, 5.5, 25, find={"max": 16}, tolerance=0.0001,
                                      max_peaks=20))
        self.assertEqual(len(r.report), 16)

    def test_find_peaks_as_tav_cli(self):
        path = tavcli.shared(NACL)
        for doublet in ("off", "on"):
            with self.subTest(doublet=doublet):
                out, _ = tavcli.run(f"open auto {tavcli.quoted(path)}; range 25 60 0 1;"
                                    f" doublet {doublet}; find-peaks 8 5; state")
                view = tavcli.json_line(out, '{"doc"')["view"]
                found = tav.find_peaks(tav.open(path), 25, 60, max=8, snr=5,
                                       doublet=doublet == "on")
                n = view["m_nPeak"]
                self.assertEqual(found, list(zip(view["m_position"][:n], view["m_height"][:n])))


class FitErrorsTest(unittest.TestCase):
    def setUp(self):
        self.profile = tav.open(tavcli.shared(NACL))

    def test_a_fit_that_cannot_be_made_says_what_tav_cli_says(self):
        path = tavcli.quoted(self.profile.path)
        out, _ = tavcli.run(f"open auto {path}; range 31.6 31.7 0 1; conditions pvoigt 0.001;"
                            " peak-mode; peak 31.65 2000; fit")
        fit = tav.Fit(self.profile, 31.6, 31.7, peaks=[(31.65, 2000)], initial_width="range")
        with self.assertRaises(tav.FitError) as caught:
            fit.run()
        self.assertEqual(str(caught.exception), tavcli.messages(out)[-1])

    def test_doublet_without_wavelengths(self):
        xy = tav.open(tavcli.shared("datalab__example_ocx.xy"))
        out, _ = tavcli.run(f"open auto {tavcli.quoted(xy.path)}; doublet on")
        with self.assertRaises(tav.FitError) as caught:
            tav.Fit(xy, 20, 30, peaks=[(25, 100)], doublet=True)
        self.assertEqual(str(caught.exception), tavcli.messages(out)[-1])

    def test_bad_options(self):
        p = self.profile
        peaks = [(31.7, 2700)]
        for options, error in [
            (dict(shape="voigt"), ValueError), (dict(tolerance=2.0), ValueError),
            (dict(tolerance="small"), TypeError), (dict(weights="poisson"), ValueError),
            (dict(weights="sigma"), tav.FitError), (dict(doublet=1), TypeError),
            (dict(max_peaks=300), ValueError), (dict(initial_width="guess"), ValueError),
            (dict(colour="red"), TypeError),
            (dict(constraints=[{"peak": 2, "name": "width", "fixed": True}]), ValueError),
            (dict(constraints=[{"peak": 1, "name": "m", "fixed": True}]), ValueError),
            (dict(constraints=[{"peak": 1, "name": "width", "lower": 2, "upper": 1}]),
             ValueError),
            (dict(constraints={"share": True}), ValueError),
        ]:
            with self.subTest(options), self.assertRaises(error):
                tav.Fit(p, 30, 34, peaks=peaks, **options)
        with self.assertRaises(ValueError):
            tav.Fit(p, 34, 30, peaks=peaks)
        with self.assertRaises(ValueError):
            tav.Fit(p, 30, 34, peaks=[(31.7, 2700)] * 11)
        with self.assertRaises(TypeError):
            tav.Fit(p, 30, 34, peaks=[(31.7,)])
        with self.assertRaises(ValueError):
            tav.Fit(p, 30, 34, peaks=[(31.7, 2700, 0.1)])
        with self.assertRaises(tav.FitError):
            tav.Fit(p, 30, 34).run()



class StartingWidthTest(ComparesWithTavCli, unittest.TestCase):
    def test_a_peak_starts_from_its_width(self):
        # Over a window of 10 degrees a starting width w is a width factor of w, which
        # the W key multiplies by 1.05 in tav-cli.
        peaks = [(27.35, 350.0), (31.7, 2700.0, 1.0 * 1.05 * 1.05)]
        work = SameWork(NACL, 26, 36, shape="gauss", initial_width="range", peaks=peaks,
                        keys={1: ["key W", "key W"]})
        self.assert_same(work)


class GilTest(unittest.TestCase):
    def test_python_runs_while_long_fits_run(self):
        p = tav.open(tavcli.shared(LAB6))
        # Twenty reflections over 5.5-45 degrees: a fit long enough (about 0.1 s on
        # the build machine) for a held GIL to show.
        peaks = tav.find_peaks(p, 5.5, 45, max=20)
        durations = []

        def fit_three_times():
            for _ in range(3):
                fit = tav.Fit(p, 5.5, 45, peaks=peaks, tolerance=0.0001, max_peaks=20)
                start = time.perf_counter()
                fit.run()
                durations.append(time.perf_counter() - start)

        worker = threading.Thread(target=fit_three_times)
        ticks = [time.perf_counter()]
        worker.start()
        while worker.is_alive():
            time.sleep(0.001)
            ticks.append(time.perf_counter())
        worker.join()
        self.assertEqual(len(durations), 3)
        # Were the GIL held, the main thread would wait a whole fit at once.
        self.assertGreater(min(durations), 0.05)
        self.assertLess(np.diff(ticks).max(), min(durations) / 4)


if __name__ == "__main__":
    unittest.main()
