"""axe-core, run in the page under test: the serious and critical findings."""

RUN = """
var done = arguments[arguments.length - 1];
axe.run(document, {resultTypes: ['violations']}).then(function (result) {
  done(result.violations.filter(function (v) {
    return v.impact === 'serious' || v.impact === 'critical';
  }).map(function (v) {
    return v.impact + ' ' + v.id + ': ' + v.nodes.map(function (node) {
      return node.target.join(' ');
    }).join(', ');
  }));
}, function (error) { done(['axe could not run: ' + error]); });
"""


def findings(driver, axe_script):
    if not driver.execute_script('return !!window.axe;'):
        driver.execute_script(axe_script)
    return driver.execute_async_script(RUN)
